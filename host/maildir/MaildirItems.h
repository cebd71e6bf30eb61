// A folder's items, or the result of a Restrict. A folder's collection
// counts the files on disk at each call; GetFirst takes the list of the
// moment and GetNext walks it, so moving items out while walking skips
// nothing. A Restrict result is fixed when made. Only a folder's collection
// raises ItemAdd; a Restrict result has no events.
#pragma once

#include <memory>
#include <vector>

#include "host/MailHost.h"

namespace skerrow::maildir {

class StoreContext;
struct FolderNode;
struct MessageRecord;

class MaildirItems final : public Items {
 public:
  MaildirItems(std::shared_ptr<StoreContext> context, std::shared_ptr<FolderNode> node)
      : context_(std::move(context)), node_(std::move(node)) {}
  MaildirItems(std::shared_ptr<StoreContext> context,
               std::vector<std::shared_ptr<MessageRecord>> fixed);

  Result<std::int32_t> Count() override;
  // Fails with kInvalidArg for a filter text that is not a subject filter.
  Result<ItemsPtr> Restrict(const std::u16string& filter) override;
  // Null (with success) past the last item.
  Result<DispatchPtr> GetFirst() override;
  Result<DispatchPtr> GetNext() override;
  Result<std::uint32_t> Advise(EventInterface iface, EventSink* sink) override;
  HResult Unadvise(std::uint32_t cookie) override;

 private:
  std::vector<std::shared_ptr<MessageRecord>> Current();
  Result<DispatchPtr> ItemAtCursor();

  std::shared_ptr<StoreContext> context_;
  std::shared_ptr<FolderNode> node_;  // null for a Restrict result
  std::vector<std::shared_ptr<MessageRecord>> fixed_;
  std::vector<std::shared_ptr<MessageRecord>> walk_;
  std::size_t cursor_ = 0;
  bool walking_ = false;
};

}  // namespace skerrow::maildir
