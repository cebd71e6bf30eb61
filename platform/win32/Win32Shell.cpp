#include "platform/win32/Win32Shell.h"

#include <windows.h>
// After windows.h, whose declarations it needs.
#include <shellapi.h>

#include <string>

namespace skerrow {

namespace {

// ShellExecuteA's and FindExecutableA's results up to this value are errors.
constexpr std::intptr_t kLastShellError = 32;

bool HasNul(std::string_view text) {
  return text.find('\0') != std::string_view::npos;
}

}  // namespace

std::intptr_t Win32Shell::OpenWithShell(std::string_view verb, std::string_view file,
                                        int showCommand) {
  if (HasNul(verb) || HasNul(file)) return ERROR_FILE_NOT_FOUND;
  const std::string verbText(verb);
  const HINSTANCE result = ShellExecuteA(nullptr, verbText.empty() ? nullptr : verbText.c_str(),
                                         std::string(file).c_str(), nullptr, "", showCommand);
  return reinterpret_cast<std::intptr_t>(result);
}

std::optional<std::string> Win32Shell::FindAssociatedProgram(std::string_view file,
                                                             std::string_view folder) {
  if (HasNul(file) || HasNul(folder)) return std::nullopt;
  const std::string folderText(folder);
  char program[MAX_PATH] = {};
  const HINSTANCE result = FindExecutableA(
      std::string(file).c_str(), folderText.empty() ? nullptr : folderText.c_str(), program);
  if (reinterpret_cast<std::intptr_t>(result) <= kLastShellError || program[0] == '\0') {
    return std::nullopt;
  }
  return std::string(program);
}

bool Win32Shell::StartProcess(std::string_view commandLine, int showCommand) {
  if (commandLine.empty() || HasNul(commandLine)) return false;
  // CreateProcessA may write into the command line.
  std::string line(commandLine);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(showCommand);
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    return false;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

}  // namespace skerrow
