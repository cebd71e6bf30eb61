// Conversions between the command line's UTF-8 and the add-in's texts.
#pragma once

#include <string>
#include <string_view>

namespace skerrow {
class CodePage;
}

namespace skerrow::cli {

std::string ToUtf8(std::u16string_view text);
std::u16string FromUtf8(std::string_view text);
// A narrow text of the code page, shown as UTF-8.
std::string AnsiToUtf8(std::string_view text, const CodePage& codePage);
// A UTF-8 text as the add-in keeps it: in the code page, "?" for what it lacks.
std::string Utf8ToAnsi(std::string_view text, const CodePage& codePage);

// A UTF-8 text of a message (a subject, a word) made safe to print in a line
// for people: control characters (C0, DEL and C1, which terminals obey)
// become backslash escapes (\r, \n, \t, \x1b, \u009b), so that a subject can
// neither break its line nor forge the lines of others.
std::string Printable(std::string_view text);

}  // namespace skerrow::cli
