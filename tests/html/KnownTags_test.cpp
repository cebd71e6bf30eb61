#include "html/KnownTags.h"

#include <gtest/gtest.h>

namespace skerrow {
namespace {

TEST(KnownTagsTest, TheKnownNamesAreUpperCaseAndExact) {
  for (const char* name : {"!", "!--", "!DOCTYPE", "A", "BLOCKQUOTE", "DFN", "H6", "MARQUEE",
                           "NOBR", "TBODY", "VAR"}) {
    EXPECT_TRUE(isKnownTag(name)) << name;
  }
  for (const char* name :
       {"div", "Div", "COL", "THEAD", "NOSCRIPT", "OBJECT", "EMBED", "O:P", "XML", "BLINK", ""}) {
    EXPECT_FALSE(isKnownTag(name)) << name;
  }
}

}  // namespace
}  // namespace skerrow
