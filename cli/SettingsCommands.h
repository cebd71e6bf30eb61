// The commands that show and change what the user configures: the options
// and the valid-text list.
#pragma once

#include "cli/Command.h"

namespace skerrow::cli {

class OptionsCommand : public Command {
 public:
  const char* Name() const override { return "options"; }
  const char* Summary() const override { return "print or apply the 26 stored options"; }
  const char* Help() const override;
  int Run(const Locations& where, const std::vector<std::string>& args) override;
};

class ValidTextsCommand : public Command {
 public:
  const char* Name() const override { return "valid-texts"; }
  const char* Summary() const override { return "print or edit the valid-text list"; }
  const char* Help() const override;
  int Run(const Locations& where, const std::vector<std::string>& args) override;
};

}  // namespace skerrow::cli
