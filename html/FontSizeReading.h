// How the small-font measure reads font sizes.
#pragma once

#include <string_view>

namespace skerrow {

// The integer a text begins with: optional blanks, an optional sign and
// decimal digits; 0 without digits ("x-small" -> 0, "1px" -> 1, "-1" -> -1).
int LeadingInteger(std::string_view text);

// A FONT element's size attribute marks an extra-small font when it is not
// empty and begins with the integer 0.
bool IsExtraSmallFontAttribute(std::string_view size);

// A style's font size marks an extra-small font when it begins with an
// integer of 2 or less ("2pt", "1px", "0", "x-small", "small", "2%", "1ex"),
// except where that reading is plainly wrong: a size that plainly comes to
// more than the keyword "small" does (13 pixels, at a 16-pixel surrounding
// font and 96 pixels to the inch), which the rule itself counts as extra
// small, never is. So "medium", "larger", "smaller", "inherit", "1em",
// "+1em", "0.9em", "2ex" and "2in" are not extra small, while "0.5em",
// "0.2ex" and "2mm" are. Percentages, viewport units and bare numbers keep
// the rule as it is ("2%" is extra small, "5%" and "10%" are not).
bool IsExtraSmallStyleFontSize(std::string_view size);

}  // namespace skerrow
