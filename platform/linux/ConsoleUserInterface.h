// The user interface of the command line: each message box becomes one line
// "skerrow: message box: TEXT" on a stream (standard error by default), its
// text converted from the ANSI code page to UTF-8 and its line breaks turned
// into blanks; every box is answered OK. The wait cursor does nothing.
#pragma once

#include <cstdio>

#include "platform/Platform.h"

namespace skerrow {

class ConsoleUserInterface : public UserInterface {
 public:
  explicit ConsoleUserInterface(const CodePage& codePage, std::FILE* out = stderr)
      : codePage_(codePage), out_(out) {}

  int ShowMessage(std::string_view text, std::string_view caption, unsigned style) override;
  void SetWaitCursor(bool) override {}

  // The line written for a message box, without its line end.
  static std::string FormatLine(std::u16string_view text);

 private:
  const CodePage& codePage_;
  std::FILE* out_;
};

}  // namespace skerrow
