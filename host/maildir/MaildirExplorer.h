// The command line's explorer: the current folder and the selection the
// command line set for a command, and the stand-in command bars.
#pragma once

#include <memory>

#include "host/MailHost.h"

namespace skerrow::maildir {

class StoreContext;

class MaildirExplorer final : public Explorer {
 public:
  explicit MaildirExplorer(std::shared_ptr<StoreContext> context) : context_(std::move(context)) {}

  Result<CommandBarsPtr> GetCommandBars() override;
  Result<FolderPtr> CurrentFolder() override;
  // The selection as it is now; later changes do not alter the result.
  Result<SelectionPtr> GetSelection() override;

 private:
  std::shared_ptr<StoreContext> context_;
};

}  // namespace skerrow::maildir
