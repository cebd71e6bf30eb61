// Readable names for the cases of parameterised tests, so that a failure
// names its case instead of printing the parameter's bytes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace skerrow {

// The letters and digits of the text, every other run of characters as one
// "_", then the case's index, which keeps the names unique.
inline std::string CaseName(std::u16string_view text, std::size_t index) {
  std::string name;
  bool gap = false;
  for (const char16_t c : text) {
    const bool keep =
        (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
    if (keep) {
      if (gap && !name.empty()) name += '_';
      name += static_cast<char>(c);
    }
    gap = !keep;
  }
  if (name.size() > 40) name.resize(40);
  if (!name.empty()) name += '_';
  return name + std::to_string(index);
}

inline std::string CaseName(std::string_view text, std::size_t index) {
  return CaseName(std::u16string(text.begin(), text.end()), index);
}

}  // namespace skerrow
