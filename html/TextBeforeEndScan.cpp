#include "html/TextBeforeEndScan.h"

#include "base/AsciiText.h"

namespace skerrow {

namespace {

using ascii::EqualsNoCase;

// Inside a script only "<" with "/SCRIPT" among the ten characters starting
// at it opens a tag, so that "a < b" in code opens none.
bool OpensTagInScript(std::string_view html, std::size_t at) {
  std::string_view window = html.substr(at, 10);
  constexpr std::string_view kClosing = "/SCRIPT";
  for (std::size_t start = 0; start + kClosing.size() <= window.size(); ++start) {
    if (EqualsNoCase(window.substr(start, kClosing.size()), kClosing)) return true;
  }
  return false;
}

}  // namespace

std::optional<double> MeasureTextBeforeEnd(std::string_view html) {
  const std::size_t n = html.size();
  if (n == 0) return std::nullopt;
  bool inTag = false;
  bool inName = false;
  bool nameTaken = false;
  std::size_t nameStart = 0;
  std::string_view name;
  bool inScript = false;
  bool xmlSeen = false;
  std::size_t end = n;
  for (std::size_t i = 0; i < n; ++i) {
    char c = html[i];
    if (c == '<') {
      if (inScript && !OpensTagInScript(html, i)) continue;
      inTag = true;
      inName = nameTaken = false;
      name = {};
      continue;
    }
    if (!inTag) continue;
    if (c == '>') {
      if (inName) name = html.substr(nameStart, i - nameStart);
      if (EqualsNoCase(name, "SCRIPT")) {
        inScript = true;
      } else if (EqualsNoCase(name, "/SCRIPT")) {
        inScript = false;
      } else if (EqualsNoCase(name, "/HTML")) {
        end = i;
        break;
      } else if (EqualsNoCase(name, "XML")) {
        xmlSeen = true;
      }
      inTag = inName = nameTaken = false;
      name = {};
      continue;
    }
    if (nameTaken) continue;
    if (!inName) {
      if (c != ' ') {
        inName = true;
        nameStart = i;
      }
    } else if (c == ' ' || c == '=') {
      name = html.substr(nameStart, i - nameStart);
      inName = false;
      nameTaken = true;
    }
  }
  if (xmlSeen) return std::nullopt;
  return static_cast<double>(end) / static_cast<double>(n);
}

}  // namespace skerrow
