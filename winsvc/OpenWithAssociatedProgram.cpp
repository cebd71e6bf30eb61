#include "winsvc/OpenWithAssociatedProgram.h"

#include <string>

#include "platform/Platform.h"
#include "platform/WindowConstants.h"

namespace skerrow {

namespace {

// ShellExecuteA's results up to this value are errors.
constexpr std::intptr_t kLastShellError = 32;

bool StartRegisteredProgram(Shell& shell, std::string_view path) {
  // The lookup wants the folder and the file name apart; a bare file name has
  // no folder.
  const std::size_t slash = path.rfind('\\');
  const std::string_view folder =
      slash == std::string_view::npos ? std::string_view{} : path.substr(0, slash);
  const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
  std::optional<std::string> program = shell.FindAssociatedProgram(name, folder);
  if (!program || program->empty()) return false;
  std::string commandLine;
  commandLine.append("\"").append(*program).append("\" \"").append(path).append("\"");
  return shell.StartProcess(commandLine, sw::kShowNormal);
}

}  // namespace

bool OpenWithAssociatedProgram(Shell& shell, UserInterface& ui, std::string_view path) {
  if (shell.OpenWithShell("open", path, sw::kShowNormal) > kLastShellError) return true;
  if (StartRegisteredProgram(shell, path)) return true;
  ui.ShowMessage(path, kFileOpenErrorCaption, mb::kOk | mb::kIconError);
  return false;
}

}  // namespace skerrow
