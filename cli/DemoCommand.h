// demo: the main job on the sample mail built into the command.
#pragma once

#include "cli/Command.h"

namespace skerrow::cli {

class DemoCommand : public Command {
 public:
  const char* Name() const override { return "demo"; }
  const char* Summary() const override { return "run the filter on sample mail and explain it"; }
  const char* Help() const override;
  int Run(const Locations& where, const std::vector<std::string>& args) override;
};

}  // namespace skerrow::cli
