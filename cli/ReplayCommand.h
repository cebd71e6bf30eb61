// replay --ham DIR --spam DIR [--json]: the filter evaluated on a labelled
// corpus, as an attentive user would live with it.
#pragma once

#include "cli/Command.h"

namespace skerrow::cli {

class ReplayCommand : public Command {
 public:
  const char* Name() const override { return "replay"; }
  const char* Summary() const override { return "evaluate the filter on a labelled corpus"; }
  const char* Help() const override;
  int Run(const Locations& where, const std::vector<std::string>& args) override;
};

}  // namespace skerrow::cli
