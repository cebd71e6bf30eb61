// Opens a file with the program registered for its type: through the shell's
// "open" verb, else by starting the registered program with the file, else by
// telling the user the file could not be opened.
#pragma once

#include <string_view>

namespace skerrow {

class Shell;
class UserInterface;

inline constexpr const char* kFileOpenErrorCaption = "File Open Error:";

// path: a Windows path in the ANSI code page. Returns whether a program was
// started (false: the message box was shown).
bool OpenWithAssociatedProgram(Shell& shell, UserInterface& ui, std::string_view path);

}  // namespace skerrow
