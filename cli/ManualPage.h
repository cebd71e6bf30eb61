// The manual page, skerrow(1), written in the man macros from the help texts
// the command prints, so that the page and --help cannot drift apart.
//
// The help texts follow a small layout that the page reads back: a first
// line "usage: ..." (the synopsis), paragraphs of plain lines separated by
// blank lines, and lists whose items are lines indented by two blanks,
// "  TERM  description", each continued by lines indented further.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cli/Usage.h"

namespace skerrow::cli {

// Text made safe for a roff text line: backslashes, minus signs, a leading
// period or apostrophe, and characters beyond ASCII as \[uXXXX].
std::string RoffText(std::string_view text);

// A synopsis, "skerrow deliver [--json] FILE...": literal words and options
// in bold, placeholders (words in capitals) in italics.
std::string RoffSynopsis(std::string_view usage);

// A help text's paragraphs and lists (without its usage line) in roff.
std::string RoffBody(std::string_view text);

struct ManualCommand {
  std::string name;
  std::string summary;
  std::string help;  // the whole --help text, usage line first
};

std::string ManualPage(std::string_view usageHead, const std::vector<ManualCommand>& commands,
                       const std::vector<HelpSection>& sections);

}  // namespace skerrow::cli
