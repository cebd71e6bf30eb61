// classify [--json] FILE...: the verdict the add-in would reach, changing
// nothing.
#pragma once

#include "cli/Command.h"

namespace skerrow::cli {

class ClassifyCommand : public Command {
 public:
  const char* Name() const override { return "classify"; }
  const char* Summary() const override { return "show the verdict for messages, changing nothing"; }
  const char* Help() const override;
  int Run(const Locations& where, const std::vector<std::string>& args) override;
};

}  // namespace skerrow::cli
