// Reads an inline style attribute ("font-size: 2pt; color: red") the way a
// browser's style object reports single properties: the value of the last
// declaration that sets it, trimmed, without "!important". The font size is
// also taken from the "font" shorthand ("bold 1px Arial").
#pragma once

#include <string>
#include <string_view>

namespace skerrow {

std::string StyleFontSize(std::string_view style);
std::string StyleColor(std::string_view style);

}  // namespace skerrow
