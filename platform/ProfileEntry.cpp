#include "platform/ProfileEntry.h"

namespace skerrow {

namespace {

bool HasLineBreakOrNul(std::string_view text) {
  return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

}  // namespace

std::string_view TrimProfileName(std::string_view name) {
  auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!name.empty() && blank(name.front())) name.remove_prefix(1);
  while (!name.empty() && blank(name.back())) name.remove_suffix(1);
  return name;
}

bool CanWriteProfileEntry(std::string_view section, std::string_view key, std::string_view value) {
  const std::string_view sectionName = TrimProfileName(section);
  const std::string_view keyName = TrimProfileName(key);
  return !sectionName.empty() && !keyName.empty() && !HasLineBreakOrNul(section) &&
         !HasLineBreakOrNul(key) && !HasLineBreakOrNul(value) &&
         sectionName.find(']') == std::string_view::npos &&
         keyName.find('=') == std::string_view::npos && keyName.front() != '[' &&
         keyName.front() != ';';
}

}  // namespace skerrow
