// The command's own help, `skerrow --help`: the synopsis and the global
// options, the list of commands, then the files, the environment and the
// exit statuses. The manual page is built from these texts and each
// command's Help(), so the two cannot tell different stories.
#pragma once

#include <cstdio>
#include <memory>
#include <vector>

#include "cli/Command.h"

namespace skerrow::cli {

// The synopsis line, a sentence on what the command is, and the global
// options as an indented list.
const char* UsageHead();

// A titled part of the help after the command list.
struct HelpSection {
  const char* title;  // "Files", "Environment", "Exit status"
  const char* body;   // indented "TERM  description" lines
};
const std::vector<HelpSection>& ReferenceSections();

void PrintUsage(std::FILE* out, const std::vector<std::unique_ptr<Command>>& commands);

}  // namespace skerrow::cli
