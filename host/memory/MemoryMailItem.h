// A mail item of the in-memory store. Written properties are visible at once;
// Save counts and clears the item's unsaved-changes flag.
#pragma once

#include <memory>

#include "host/MailHost.h"
#include "host/memory/StoreState.h"
#include "host/memory/StoredItemHandle.h"

namespace skerrow {

class MemoryMailItem : public MailItem,
                       public StoredItemHandle,
                       public std::enable_shared_from_this<MemoryMailItem> {
 public:
  MemoryMailItem(std::shared_ptr<StoreState> state, StoredItemPtr item);

  MailItemPtr AsMailItem() override { return shared_from_this(); }

  Result<std::u16string> Subject() override;
  HResult SetSubject(const std::u16string& subject) override;
  Result<std::u16string> Body() override;
  Result<std::u16string> HTMLBody() override;
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
  Result<DispatchPtr> Move(const FolderPtr& destination) override;
  Result<std::u16string> EntryID() override;

 private:
  template <class T>
  Result<T> Read(const char* operation, const T& value);

  std::shared_ptr<StoreState> state_;
};

}  // namespace skerrow
