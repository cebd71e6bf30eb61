// The rendered text of a node (an element's innerText): what a reader sees,
// as one string. Lines break ("\r\n") around block elements and at BR, table
// cells are separated by a tab, script, style, head and similar content is
// left out, and outside PRE runs of white space collapse to one blank.
#pragma once

#include <string>

#include "platform/linux/MyHtmlTree.h"

namespace skerrow {

std::string RenderText(const MyHtmlTree& tree, MyHtmlNodeId node);

}  // namespace skerrow
