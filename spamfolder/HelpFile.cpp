#include "spamfolder/HelpFile.h"

#include "options/FilterOptions.h"
#include "platform/Platform.h"
#include "platform/WindowConstants.h"

namespace skerrow {

void OpenHelpFile(Shell& shell, const FilterOptions& options) {
  shell.OpenWithShell("open", options.InstallFolder + "\\Skerrow.chm", sw::kShowNormal);
}

}  // namespace skerrow
