// A message file as a mail item. Every handle of the same message shares one
// record, so a subject written through one handle shows through all of them
// until Save writes it into the file; moving keeps the unsaved values with
// the message. A message whose file has gone fails each call with
// kFileNotFound.
#pragma once

#include <memory>

#include "host/MailHost.h"

namespace skerrow::maildir {

class StoreContext;
struct MessageRecord;

class MaildirMailItem final : public MailItem,
                              public std::enable_shared_from_this<MaildirMailItem> {
 public:
  MaildirMailItem(std::shared_ptr<StoreContext> context, std::shared_ptr<MessageRecord> record)
      : context_(std::move(context)), record_(std::move(record)) {}

  MailItemPtr AsMailItem() override { return shared_from_this(); }

  Result<std::u16string> Subject() override;
  HResult SetSubject(const std::u16string& subject) override;
  Result<std::u16string> Body() override;
  Result<std::u16string> HTMLBody() override;
  // Fails with hr::kNotImpl for a message without a text/html body part.
  HResult SetHTMLBody(const std::u16string& html) override;
  Result<std::u16string> SenderName() override;
  Result<std::u16string> To() override;
  Result<RecipientsPtr> GetRecipients() override;
  Result<AttachmentsPtr> GetAttachments() override;
  Result<double> ReceivedTime() override;
  Result<std::int32_t> Size() override;
  Result<std::int32_t> Importance() override;
  Result<std::int32_t> Sensitivity() override;
  HResult SetUnRead(bool unread) override;
  HResult Save() override;
  // Fails with kInvalidArg for a folder of another store or the root.
  Result<DispatchPtr> Move(const FolderPtr& destination) override;
  // The message's unique name, which a move and a change of flags keep.
  Result<std::u16string> EntryID() override;

  const std::shared_ptr<MessageRecord>& Record() const { return record_; }
  const StoreContext* Context() const { return context_.get(); }

 private:
  std::shared_ptr<StoreContext> context_;
  std::shared_ptr<MessageRecord> record_;
};

}  // namespace skerrow::maildir
