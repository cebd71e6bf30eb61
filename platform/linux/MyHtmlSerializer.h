// Serializes a node of the engine's tree as HTML (an element's outerHTML),
// the way a browser does: lower-case names, attribute values in double
// quotes, raw-text content as it stands, void elements without end tags.
#pragma once

#include <string>

#include "platform/linux/MyHtmlTree.h"

namespace skerrow {

std::string SerializeHtml(const MyHtmlTree& tree, MyHtmlNodeId node);

// Elements whose content the parser keeps as text (and that are written
// back without escaping).
bool IsRawTextElement(const MyHtmlTree& tree, MyHtmlNodeId node);
bool IsVoidElement(const MyHtmlTree& tree, MyHtmlNodeId node);

}  // namespace skerrow
