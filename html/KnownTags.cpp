#include "html/KnownTags.h"

#include <string>
#include <unordered_set>

namespace skerrow {

bool isKnownTag(std::string_view name) {
  static const std::unordered_set<std::string_view> kKnown{
      "!",      "!--",     "!DOCTYPE", "A",        "ABBR",   "ACRONYM",    "ADDRESS",  "APPLET",
      "AREA",   "B",       "BASE",     "BASEFONT", "BIG",    "BLOCKQUOTE", "BODY",     "BR",
      "BUTTON", "CAPTION", "CENTER",   "CITE",     "CODE",   "DD",         "DIV",      "DFN",
      "DL",     "DT",      "EM",       "FIELDSET", "FONT",   "FORM",       "FRAME",    "H1",
      "H2",     "H3",      "H4",       "H5",       "H6",     "HEAD",       "HR",       "HTML",
      "I",      "IFRAME",  "IMG",      "INPUT",    "KBD",    "LEGEND",     "LI",       "LINK",
      "MAP",    "MARQUEE", "MENU",     "META",     "NOBR",   "OL",         "OPTGROUP", "OPTION",
      "P",      "PRE",     "S",        "SAMP",     "SCRIPT", "SELECT",     "SMALL",    "SPAN",
      "STRONG", "STYLE",   "SUB",      "SUP",      "TABLE",  "TBODY",      "TD",       "TEXTAREA",
      "TH",     "TITLE",   "TR",       "TT",       "U",      "UL",         "VAR"};
  return kKnown.contains(name);
}

}  // namespace skerrow
