#include "cli/OptionAssignments.h"

#include <string_view>

#include "cli/Text.h"
#include "options/FilterOptions.h"

namespace skerrow::cli {

namespace {

// The longest file name of the usual Linux file systems.
constexpr std::size_t kLongestFolderName = 255;

// Why a Spam folder could not be given the name, or null when it can. A name
// the store cannot hold would be saved anyway, and the next start would
// create a second, empty Spam folder beside the old one.
const char* SpamFolderNameProblem(std::string_view name) {
  if (name.empty()) return "the name is empty";
  if (name == "." || name == "..") return "the name is reserved";
  if (name.size() > kLongestFolderName) return "a folder name is at most 255 bytes long here";
  for (const char c : name) {
    if (c == '/') return "a folder name cannot hold '/'";
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
      return "a folder name cannot hold a line break or other control character";
    }
  }
  return nullptr;
}

}  // namespace

bool ParseOptionAssignments(const std::vector<std::string>& texts, OptionAssignments& assignments,
                            std::string& error) {
  FilterOptions check;
  for (const std::string& assignment : texts) {
    const auto eq = assignment.find('=');
    if (eq == std::string::npos || eq == 0) {
      error = "expected KEY=VALUE, got '" + Printable(assignment) + "'";
      return false;
    }
    const std::string key = assignment.substr(0, eq);
    const std::string value = assignment.substr(eq + 1);
    if (key == "bWndMaximize") {
      error = "bWndMaximize cannot be set";
      return false;
    }
    if (key == "sSpamBoxName") {
      if (const char* problem = SpamFolderNameProblem(value)) {
        error = "sSpamBoxName cannot be '" + Printable(value) + "': " + problem;
        return false;
      }
    }
    if (!check.SetStoredValue(key, value)) {
      error = "unknown option or bad value: '" + Printable(assignment) + "'";
      return false;
    }
    assignments.emplace_back(key, value);
  }
  return true;
}

}  // namespace skerrow::cli
