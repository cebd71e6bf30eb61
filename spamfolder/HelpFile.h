// The help file, "Skerrow.chm" in the installation folder, as the Help
// command, the options page and its rule dialogs open it.
#pragma once

namespace skerrow {

class Shell;
struct FilterOptions;

// Opens the help file with the shell's "open" verb, shown normally. Whether
// it could be shown is the shell's affair: the outcome is not looked at.
void OpenHelpFile(Shell& shell, const FilterOptions& options);

}  // namespace skerrow
