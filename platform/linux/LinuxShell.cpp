#include "platform/linux/LinuxShell.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

#include "platform/linux/TextLines.h"

extern char** environ;

namespace skerrow {

namespace {

// The full path of program on PATH, or empty.
std::string FindOnPath(const std::string& program) {
  if (program.empty()) return {};
  if (program.find('/') != std::string::npos) {
    return ::access(program.c_str(), X_OK) == 0 ? program : std::string();
  }
  const char* path = std::getenv("PATH");
  std::string_view folders = path ? path : "/usr/local/bin:/usr/bin:/bin";
  while (true) {
    std::size_t colon = folders.find(':');
    std::string_view folder = folders.substr(0, colon);
    std::filesystem::path candidate = folder.empty() ? std::filesystem::path(".") : folder;
    candidate /= program;
    if (::access(candidate.c_str(), X_OK) == 0) return candidate.string();
    if (colon == std::string_view::npos) return {};
    folders.remove_prefix(colon + 1);
  }
}

// Runs /bin/sh -c script with the given positional arguments and waits for
// the shell (not for what it puts in the background). True when the shell
// ran and exited with 0.
bool RunShell(const char* script, const std::vector<std::string>& arguments) {
  std::vector<char*> argv;
  std::string sh = "sh", dashC = "-c", text = script;
  argv.push_back(sh.data());
  argv.push_back(dashC.data());
  argv.push_back(text.data());
  std::vector<std::string> copies = arguments;
  for (std::string& argument : copies) argv.push_back(argument.data());
  argv.push_back(nullptr);

  pid_t child = 0;
  if (::posix_spawn(&child, "/bin/sh", nullptr, nullptr, argv.data(), environ) != 0) return false;
  int status = 0;
  while (::waitpid(child, &status, 0) < 0) {
    if (errno != EINTR) return false;
  }
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

std::intptr_t LinuxShell::OpenWithShell(std::string_view verb, std::string_view file, int) {
  if (!verb.empty() && !textlines::EqualsNoCase(verb, "open")) return kNoAssociation;
  std::optional<std::filesystem::path> host = prefix_.HostPath(file);
  std::error_code ec;
  if (!host || !std::filesystem::exists(*host, ec)) return kFileNotFound;
  std::string opener = FindOnPath(opener_);
  if (opener.empty()) return kNoAssociation;
  // "$0" is the opener, "$1" the file: no quoting of either is needed.
  bool started = RunShell("\"$0\" \"$1\" </dev/null >/dev/null 2>&1 &", {opener, host->string()});
  return started ? kStarted : kNoAssociation;
}

std::optional<std::string> LinuxShell::FindAssociatedProgram(std::string_view, std::string_view) {
  return std::nullopt;
}

bool LinuxShell::StartProcess(std::string_view commandLine, int) {
  if (commandLine.empty() || commandLine.find('\0') != std::string_view::npos) return false;
  return RunShell("(eval \"$1\") </dev/null >/dev/null 2>&1 &", {"sh", std::string(commandLine)});
}

}  // namespace skerrow
