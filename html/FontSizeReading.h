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
// integer of 2 or less ("2pt", "1px", "0", "x-small", "small"). Sizes
// relative to the surrounding font are judged by what they come to at the
// usual 16 pixels (so "0.9em" and "80%" are not small, "0.1em" is), and the
// keywords from "medium" up never are.
bool IsExtraSmallStyleFontSize(std::string_view size);

}  // namespace skerrow
