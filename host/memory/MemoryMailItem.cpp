#include "host/memory/MemoryMailItem.h"

#include <utility>

#include "host/memory/MemoryAttachment.h"
#include "host/memory/MemoryHandles.h"
#include "host/memory/MemoryIndexedCollection.h"
#include "host/memory/MemoryRecipient.h"
#include "host/memory/StoreEvents.h"

namespace skerrow {

MemoryMailItem::MemoryMailItem(std::shared_ptr<StoreState> state, StoredItemPtr item)
    : StoredItemHandle(std::move(item)), state_(std::move(state)) {}

template <class T>
Result<T> MemoryMailItem::Read(const char* operation, const T& value) {
  if (HResult failure = state_->faults.Check(operation); hr::Failed(failure)) {
    return Fail<T>(failure);
  }
  return Ok(value);
}

Result<std::u16string> MemoryMailItem::Subject() {
  return Read("MailItem.Subject", item_->subject);
}

HResult MemoryMailItem::SetSubject(const std::u16string& subject) {
  if (HResult failure = state_->faults.Check("MailItem.SetSubject"); hr::Failed(failure)) {
    return failure;
  }
  item_->subject = subject;
  item_->unsavedChanges = true;
  return hr::kOk;
}

Result<std::u16string> MemoryMailItem::Body() {
  return Read("MailItem.Body", item_->body);
}

Result<std::u16string> MemoryMailItem::HTMLBody() {
  return Read("MailItem.HTMLBody", item_->htmlBody);
}

HResult MemoryMailItem::SetHTMLBody(const std::u16string& html) {
  if (HResult failure = state_->faults.Check("MailItem.SetHTMLBody"); hr::Failed(failure)) {
    return failure;
  }
  item_->htmlBody = html;
  item_->unsavedChanges = true;
  return hr::kOk;
}

Result<std::u16string> MemoryMailItem::SenderName() {
  return Read("MailItem.SenderName", item_->senderName);
}

Result<std::u16string> MemoryMailItem::To() {
  return Read("MailItem.To", item_->to);
}

Result<RecipientsPtr> MemoryMailItem::GetRecipients() {
  if (HResult failure = state_->faults.Check("MailItem.GetRecipients"); hr::Failed(failure)) {
    return Fail<RecipientsPtr>(failure);
  }
  std::vector<RecipientPtr> recipients;
  for (const auto& address : item_->recipientAddresses) {
    recipients.push_back(std::make_shared<MemoryRecipient>(state_, address));
  }
  return Ok<RecipientsPtr>(std::make_shared<MemoryRecipients>(
      state_, "Recipients.Count", "Recipients.Item", std::move(recipients)));
}

Result<AttachmentsPtr> MemoryMailItem::GetAttachments() {
  if (HResult failure = state_->faults.Check("MailItem.GetAttachments"); hr::Failed(failure)) {
    return Fail<AttachmentsPtr>(failure);
  }
  std::vector<AttachmentPtr> attachments;
  for (const auto& name : item_->attachmentNames) {
    attachments.push_back(std::make_shared<MemoryAttachment>(state_, name));
  }
  return Ok<AttachmentsPtr>(std::make_shared<MemoryAttachments>(
      state_, "Attachments.Count", "Attachments.Item", std::move(attachments)));
}

Result<double> MemoryMailItem::ReceivedTime() {
  return Read("MailItem.ReceivedTime", item_->receivedTime);
}

Result<std::int32_t> MemoryMailItem::Size() {
  return Read("MailItem.Size", item_->size);
}

Result<std::int32_t> MemoryMailItem::Importance() {
  return Read("MailItem.Importance", item_->importance);
}

Result<std::int32_t> MemoryMailItem::Sensitivity() {
  return Read("MailItem.Sensitivity", item_->sensitivity);
}

HResult MemoryMailItem::SetUnRead(bool unread) {
  if (HResult failure = state_->faults.Check("MailItem.SetUnRead"); hr::Failed(failure)) {
    return failure;
  }
  item_->unread = unread;
  return hr::kOk;
}

HResult MemoryMailItem::Save() {
  if (HResult failure = state_->faults.Check("MailItem.Save"); hr::Failed(failure)) {
    return failure;
  }
  ++item_->saves;
  item_->unsavedChanges = false;
  return hr::kOk;
}

Result<DispatchPtr> MemoryMailItem::Move(const FolderPtr& destination) {
  if (HResult failure = state_->faults.Check("MailItem.Move"); hr::Failed(failure)) {
    return Fail<DispatchPtr>(failure);
  }
  if (!destination) return Fail<DispatchPtr>(hr::kPointer);
  StoredFolderPtr folder = StoredFolderOf(*state_, destination);
  if (!folder) return Fail<DispatchPtr>(hr::kInvalidArg);  // not a folder of this store
  if (HResult status = MoveItemToFolder(state_, item_, folder); hr::Failed(status)) {
    return Fail<DispatchPtr>(status);
  }
  return Ok(MakeItemHandle(state_, item_));
}

Result<std::u16string> MemoryMailItem::EntryID() {
  return Read("MailItem.EntryID", item_->entryId);
}

}  // namespace skerrow
