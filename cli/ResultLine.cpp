#include "cli/ResultLine.h"

#include <cstdio>

#include "cli/Json.h"
#include "cli/Text.h"

namespace skerrow::cli {

std::string FormatJson(const ResultLine& line) {
  const SpamVerdict& verdict = line.verdict;
  return "{\"file\":" + JsonString(line.file) +
         ",\"verdict\":" + JsonString(VerdictKindName(verdict.kind)) +
         ",\"reason\":" + std::to_string(static_cast<int>(verdict.reason)) +
         ",\"score\":" + JsonNumber(verdict.score) + ",\"folder\":" + JsonString(line.folder) +
         ",\"path\":" + JsonString(line.path) + ",\"subject\":" + JsonString(line.subject) + "}";
}

std::string FormatText(const ResultLine& line) {
  char head[64];
  if (line.verdict.reason == SpamReason::Bayes) {
    std::snprintf(head, sizeof head, "%-12s %2d %.3f", VerdictKindName(line.verdict.kind),
                  static_cast<int>(line.verdict.reason), line.verdict.score);
  } else {
    std::snprintf(head, sizeof head, "%-12s %2d      ", VerdictKindName(line.verdict.kind),
                  static_cast<int>(line.verdict.reason));
  }
  char folder[40];
  std::snprintf(folder, sizeof folder, "%-14s", Printable(line.folder).c_str());
  return std::string(head) + "  " + folder + "  " + Printable(line.subject) + "  (" +
         Printable(line.file) + ")";
}

}  // namespace skerrow::cli
