// The command bars of the in-memory store's explorer: toolbars made by Add and
// the menu bar MemoryStore configured.
#pragma once

#include <memory>

#include "host/MailHost.h"
#include "host/memory/StoreState.h"

namespace skerrow {

class MemoryCommandBars : public CommandBars {
 public:
  explicit MemoryCommandBars(std::shared_ptr<StoreState> state);

  // A new, hidden toolbar; a second bar of the same name is another bar.
  Result<CommandBarPtr> Add(const std::u16string& name, std::int32_t position,
                            bool temporary) override;
  Result<CommandBarPtr> ActiveMenuBar() override;

 private:
  std::shared_ptr<StoreState> state_;
};

}  // namespace skerrow
