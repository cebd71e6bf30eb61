// The application object of a store: its one explorer (the command line's
// window), the "MAPI" namespace, and the application events (the options
// pages being added) that the command line raises.
#pragma once

#include <memory>

#include "host/MailHost.h"

namespace skerrow::maildir {

class StoreContext;

class MaildirApplication final : public Application,
                                 public std::enable_shared_from_this<MaildirApplication> {
 public:
  explicit MaildirApplication(std::shared_ptr<StoreContext> context)
      : context_(std::move(context)) {}

  ApplicationPtr AsApplication() override { return shared_from_this(); }
  Result<ExplorerPtr> ActiveExplorer() override;
  // "MAPI" (in any case) is the only namespace.
  Result<NameSpacePtr> GetNamespace(const std::u16string& type) override;
  Result<std::uint32_t> Advise(EventInterface iface, EventSink* sink) override;
  HResult Unadvise(std::uint32_t cookie) override;

 private:
  std::shared_ptr<StoreContext> context_;
};

}  // namespace skerrow::maildir
