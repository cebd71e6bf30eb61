// The raw scan: reads the HTML text itself, character by character, for how
// much of it lies before the closing html tag.
#pragma once

#include <optional>
#include <string_view>

namespace skerrow {

// The index of the ">" of the first closing html tag over the text's length
// (1.0 without one). Empty when the text is not judged: it is empty, or it
// holds an element named XML.
std::optional<double> MeasureTextBeforeEnd(std::string_view html);

}  // namespace skerrow
