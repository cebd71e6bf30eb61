// Mail items (_MailItem) with their recipients and attachments, and task
// items (_TaskItem), whose reminders carry a sound file.
#pragma once

#include "host/outlook/OutlookCollection.h"

namespace skerrow::outlook {

class OutlookMailItem : public OutlookAdapter<MailItem> {
 public:
  using OutlookAdapter::OutlookAdapter;
  Result<std::u16string> Subject() override { return ReadText(L"Subject"); }
  HResult SetSubject(const std::u16string& subject) override;
  Result<std::u16string> Body() override { return ReadText(L"Body"); }
  // Empty unless the item's BodyFormat is HTML: the client renders every
  // other body as HTML on request, which is not the mail's HTML.
  Result<std::u16string> HTMLBody() override;
  HResult SetHTMLBody(const std::u16string& html) override;
  Result<std::u16string> SenderName() override { return ReadText(L"SenderName"); }
  Result<std::u16string> To() override { return ReadText(L"To"); }
  Result<RecipientsPtr> GetRecipients() override;
  Result<AttachmentsPtr> GetAttachments() override;
  Result<double> ReceivedTime() override;
  Result<std::int32_t> Size() override { return ReadInt(L"Size"); }
  Result<std::int32_t> Importance() override { return ReadInt(L"Importance"); }
  Result<std::int32_t> Sensitivity() override { return ReadInt(L"Sensitivity"); }
  HResult SetUnRead(bool unread) override;
  HResult Save() override { return Run(L"Save"); }
  // E_INVALIDARG for a destination that is not a folder of the client.
  Result<DispatchPtr> Move(const FolderPtr& destination) override;
  // The client's own id (hexadecimal text). Its stores may give an item a
  // new id when it moves to another folder.
  Result<std::u16string> EntryID() override { return ReadText(L"EntryID"); }
};

class OutlookTaskItem : public OutlookAdapter<TaskItem> {
 public:
  using OutlookAdapter::OutlookAdapter;
  Result<std::u16string> ReminderSoundFile() override { return ReadText(L"ReminderSoundFile"); }
};

class OutlookRecipient : public OutlookAdapter<Recipient> {
 public:
  using OutlookAdapter::OutlookAdapter;
  Result<std::u16string> Address() override { return ReadText(L"Address"); }
};

using OutlookRecipients = OutlookCollection<Recipients, OutlookRecipient>;

class OutlookAttachment : public OutlookAdapter<Attachment> {
 public:
  using OutlookAdapter::OutlookAdapter;
  Result<std::u16string> FileName() override { return ReadText(L"FileName"); }
};

using OutlookAttachments = OutlookCollection<Attachments, OutlookAttachment>;

}  // namespace skerrow::outlook
