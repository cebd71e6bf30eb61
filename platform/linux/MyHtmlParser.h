// The parser library behind the Linux HTML engine, in this one place: it
// turns UTF-8 HTML into a MyHtmlTree. Swapping the library means rewriting
// MyHtmlParser.cpp only.
#pragma once

#include <string_view>

#include "base/HResult.h"
#include "platform/linux/MyHtmlTree.h"

struct myhtml;

namespace skerrow {

class MyHtmlParser {
 public:
  MyHtmlParser() = default;
  ~MyHtmlParser();
  MyHtmlParser(const MyHtmlParser&) = delete;
  MyHtmlParser& operator=(const MyHtmlParser&) = delete;

  // Replaces the tree's content with the parsed document. hr::kFalse when
  // only a leading part of the text was parsed, to bound the work.
  HResult ParseDocument(std::string_view utf8, MyHtmlTree& tree);
  // Parses the text as the content of a DIV and appends it under parent.
  HResult ParseFragment(std::string_view utf8, MyHtmlTree& tree, MyHtmlNodeId parent);

 private:
  HResult Start();
  HResult Parse(std::string_view utf8, bool fragment, MyHtmlTree& tree, MyHtmlNodeId parent);

  myhtml* library_ = nullptr;  // created on first use, single-threaded mode
};

}  // namespace skerrow
