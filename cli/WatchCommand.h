// watch: the add-in running against the store until SIGINT or SIGTERM.
#pragma once

#include "cli/Command.h"

namespace skerrow::cli {

class WatchCommand : public Command {
 public:
  const char* Name() const override { return "watch"; }
  const char* Summary() const override { return "run until interrupted, processing new mail"; }
  const char* Help() const override;
  int Run(const Locations& where, const std::vector<std::string>& args) override;
};

}  // namespace skerrow::cli
