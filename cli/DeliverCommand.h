// deliver [--json] FILE...: new mail, one message at a time.
#pragma once

#include "cli/Command.h"

namespace skerrow::cli {

class DeliverCommand : public Command {
 public:
  const char* Name() const override { return "deliver"; }
  const char* Summary() const override { return "add messages to the Inbox as new mail"; }
  const char* Help() const override;
  int Run(const Locations& where, const std::vector<std::string>& args) override;
};

}  // namespace skerrow::cli
