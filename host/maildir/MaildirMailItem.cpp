#include "host/maildir/MaildirMailItem.h"

#include <limits>

#include "base/Utf8.h"
#include "host/maildir/FixedCollection.h"
#include "host/maildir/MaildirAttachment.h"
#include "host/maildir/MaildirFolder.h"
#include "host/maildir/MaildirRecipient.h"
#include "host/maildir/OleDate.h"
#include "host/maildir/StoreContext.h"

namespace skerrow::maildir {

namespace {

template <class T, class Read>
Result<T> FromSummary(StoreContext& context, MessageRecord& record, Read read) {
  auto summary = context.Catalog().Summary(record);
  if (!summary.ok()) return Fail<T>(summary.status);
  return Ok<T>(read(*summary.value));
}

template <class T, class Read>
Result<T> FromBodies(StoreContext& context, MessageRecord& record, Read read) {
  auto bodies = context.Catalog().Bodies(record);
  if (!bodies.ok()) return Fail<T>(bodies.status);
  return Ok<T>(read(*bodies.value));
}

}  // namespace

Result<std::u16string> MaildirMailItem::Subject() {
  return context_->SubjectOf(*record_);
}

HResult MaildirMailItem::SetSubject(const std::u16string& subject) {
  auto path = context_->Catalog().Locate(*record_);
  if (!path.ok()) return path.status;
  context_->Catalog().WriteSubject(record_, subject);
  return hr::kOk;
}

Result<std::u16string> MaildirMailItem::Body() {
  return context_->Catalog().Text(*record_, false);
}

Result<std::u16string> MaildirMailItem::HTMLBody() {
  if (record_->pendingHtmlBody) return Ok(*record_->pendingHtmlBody);
  return context_->Catalog().Text(*record_, true);
}

HResult MaildirMailItem::SetHTMLBody(const std::u16string& html) {
  auto bodies = context_->Catalog().Bodies(*record_);
  if (!bodies.ok()) return bodies.status;
  if (!bodies.value->hasHtmlPart) return hr::kNotImpl;
  record_->pendingHtmlBody = html;
  return hr::kOk;
}

Result<std::u16string> MaildirMailItem::SenderName() {
  return FromSummary<std::u16string>(
      *context_, *record_, [](const MessageSummary& summary) { return summary.senderName; });
}

Result<std::u16string> MaildirMailItem::To() {
  return FromSummary<std::u16string>(*context_, *record_,
                                     [](const MessageSummary& summary) { return summary.to; });
}

Result<RecipientsPtr> MaildirMailItem::GetRecipients() {
  return FromSummary<RecipientsPtr>(*context_, *record_, [](const MessageSummary& summary) {
    std::vector<RecipientPtr> recipients;
    for (const std::u16string& address : summary.recipients) {
      recipients.push_back(std::make_shared<MaildirRecipient>(address));
    }
    return std::make_shared<FixedCollection<Recipients, Recipient>>(std::move(recipients));
  });
}

Result<AttachmentsPtr> MaildirMailItem::GetAttachments() {
  return FromBodies<AttachmentsPtr>(*context_, *record_, [](const MessageBodies& bodies) {
    std::vector<AttachmentPtr> attachments;
    for (const std::u16string& name : bodies.attachmentNames) {
      attachments.push_back(std::make_shared<MaildirAttachment>(name));
    }
    return std::make_shared<FixedCollection<Attachments, Attachment>>(std::move(attachments));
  });
}

Result<double> MaildirMailItem::ReceivedTime() {
  auto summary = context_->Catalog().Summary(*record_);
  if (!summary.ok()) return Fail<double>(summary.status);
  if (summary.value->headerTime) return Ok(OleDate::FromUnixTime(*summary.value->headerTime));
  auto stamp = context_->Catalog().Stamp(*record_);
  if (!stamp.ok()) return Fail<double>(stamp.status);
  return Ok(OleDate::FromUnixTime(stamp.value.modified));
}

Result<std::int32_t> MaildirMailItem::Size() {
  auto stamp = context_->Catalog().Stamp(*record_);
  if (!stamp.ok()) return Fail<std::int32_t>(stamp.status);
  const auto size = static_cast<long long>(stamp.value.size);
  return Ok(static_cast<std::int32_t>(
      std::min<long long>(size, std::numeric_limits<std::int32_t>::max())));
}

Result<std::int32_t> MaildirMailItem::Importance() {
  return FromSummary<std::int32_t>(
      *context_, *record_, [](const MessageSummary& summary) { return summary.importance; });
}

Result<std::int32_t> MaildirMailItem::Sensitivity() {
  return FromSummary<std::int32_t>(
      *context_, *record_, [](const MessageSummary& summary) { return summary.sensitivity; });
}

HResult MaildirMailItem::SetUnRead(bool unread) {
  const HResult status = context_->Catalog().SetSeen(*record_, !unread);
  if (hr::Failed(status)) {
    context_->NoteWriteFailure(
        "cannot mark the message " + std::string(record_->UniqueName()) + " as read", status);
  }
  return status;
}

HResult MaildirMailItem::Save() {
  const HResult status = context_->Catalog().Save(*record_);
  if (hr::Failed(status)) {
    context_->NoteWriteFailure("cannot save the message " + std::string(record_->UniqueName()),
                               status);
  }
  return status;
}

Result<DispatchPtr> MaildirMailItem::Move(const FolderPtr& destination) {
  auto* folder = dynamic_cast<MaildirFolder*>(destination.get());
  if (folder == nullptr || folder->Context() != context_.get()) {
    return Fail<DispatchPtr>(hr::kInvalidArg);
  }
  auto moved = context_->Move(record_, folder->Node());
  if (!moved.ok()) return Fail<DispatchPtr>(moved.status);
  return Ok<DispatchPtr>(moved.value);
}

Result<std::u16string> MaildirMailItem::EntryID() {
  auto path = context_->Catalog().Locate(*record_);
  if (!path.ok()) return Fail<std::u16string>(path.status);
  return Ok(Utf8ToUtf16(record_->UniqueName()));
}

}  // namespace skerrow::maildir
