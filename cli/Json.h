// The few JSON writing helpers the result lines need.
#pragma once

#include <string>
#include <string_view>

namespace skerrow::cli {

// A JSON string literal, quotes included; the text is UTF-8, invalid bytes
// become U+FFFD so that the line is always valid JSON.
std::string JsonString(std::string_view utf8);
// A number as JSON writes it: the shortest text that reads back
// as the same double, always with a point or an exponent.
std::string JsonNumber(double value);

}  // namespace skerrow::cli
