// The line printed for one message by deliver and classify: JSON with
// --json, else an aligned line a person reads at a glance.
#pragma once

#include <string>

#include "engine/SpamVerdict.h"

namespace skerrow::cli {

struct ResultLine {
  std::string file;     // the input as given
  SpamVerdict verdict;  // Undecided when the message was not classified
  std::string folder;   // UTF-8; the top-level folder holding it now
  std::string path;     // the message file now
  std::string subject;  // UTF-8, decoded
};

std::string FormatJson(const ResultLine& line);
std::string FormatText(const ResultLine& line);

}  // namespace skerrow::cli
