// stats [--json]: what the filter has learned.
#pragma once

#include "cli/Command.h"

namespace skerrow::cli {

class StatsCommand : public Command {
 public:
  const char* Name() const override { return "stats"; }
  const char* Summary() const override { return "show what the filter has learned"; }
  const char* Help() const override;
  int Run(const Locations& where, const std::vector<std::string>& args) override;
};

}  // namespace skerrow::cli
