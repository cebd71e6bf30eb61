// The application object of the in-memory store. Raises Reminder and
// OptionsPagesAdd (ApplicationEvents) when MemoryStore's helpers fire them.
#pragma once

#include <memory>

#include "host/MailHost.h"
#include "host/memory/StoreState.h"

namespace skerrow {

class MemoryApplication : public Application,
                          public std::enable_shared_from_this<MemoryApplication> {
 public:
  explicit MemoryApplication(std::shared_ptr<StoreState> state);

  ApplicationPtr AsApplication() override { return shared_from_this(); }

  // Succeeds with no explorer when the store was set to have none.
  Result<ExplorerPtr> ActiveExplorer() override;
  // Only "MAPI" (in any case); kInvalidArg for any other type.
  Result<NameSpacePtr> GetNamespace(const std::u16string& type) override;
  Result<std::uint32_t> Advise(EventInterface iface, EventSink* sink) override;
  HResult Unadvise(std::uint32_t cookie) override;

 private:
  std::shared_ptr<StoreState> state_;
};

}  // namespace skerrow
