// The entries of a vCard file (versions 2.1, 3.0 and 4.0): for each card its
// formatted name (FN) and its first e-mail address (EMAIL). Folded lines,
// property groups ("item1.EMAIL"), parameters, backslash escapes and the
// quoted-printable and charset parameters of version 2.1 are understood;
// anything else is skipped. A card without FN or EMAIL gives an empty field.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace skerrow::maildir {

struct VCardEntry {
  std::u16string name;
  std::u16string address;
};

class VCardReader {
 public:
  static std::vector<VCardEntry> Parse(std::string_view text);
};

}  // namespace skerrow::maildir
