// A toolbar or the menu bar of the in-memory store.
#pragma once

#include <memory>

#include "host/MailHost.h"
#include "host/memory/StoreState.h"

namespace skerrow {

class MemoryCommandBar : public CommandBar {
 public:
  MemoryCommandBar(std::shared_ptr<StoreState> state, std::shared_ptr<StoredCommandBar> bar);

  Result<CommandBarControlsPtr> Controls() override;
  HResult SetVisible(bool visible) override;

 private:
  std::shared_ptr<StoreState> state_;
  std::shared_ptr<StoredCommandBar> bar_;
};

}  // namespace skerrow
