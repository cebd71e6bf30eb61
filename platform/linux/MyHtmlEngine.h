// The HTML document engine on Linux, over the myhtml HTML5 parser.
#pragma once

#include "platform/HtmlEngine.h"

namespace skerrow {

class MyHtmlEngine : public HtmlEngine {};

}  // namespace skerrow
