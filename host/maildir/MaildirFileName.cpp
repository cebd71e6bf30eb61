#include "host/maildir/MaildirFileName.h"

#include <sys/time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>

namespace skerrow::maildir {

namespace {

// The flags of a ":2," name; empty for any other form.
std::string_view FlagsOf(std::string_view fileName) {
  const std::size_t colon = fileName.find(':');
  if (colon == std::string_view::npos) return {};
  const std::string_view info = fileName.substr(colon + 1);
  if (info.substr(0, 2) != "2,") return {};
  return info.substr(2);
}

std::string HostName() {
  char buffer[256] = {};
  if (gethostname(buffer, sizeof buffer - 1) != 0 || buffer[0] == '\0') return "localhost";
  std::string out;
  for (const char* c = buffer; *c != '\0'; ++c) {
    if (*c == '/') {
      out += "\\057";
    } else if (*c == ':') {
      out += "\\072";
    } else {
      out.push_back(*c);
    }
  }
  return out;
}

}  // namespace

std::string_view MaildirFileName::UniqueName(std::string_view fileName) {
  return fileName.substr(0, fileName.find(':'));
}

bool MaildirFileName::HasFlag(std::string_view fileName, char flag) {
  return FlagsOf(fileName).find(flag) != std::string_view::npos;
}

std::string MaildirFileName::WithFlag(std::string_view fileName, char flag, bool on) {
  std::string flags(FlagsOf(fileName));
  flags.erase(std::remove(flags.begin(), flags.end(), flag), flags.end());
  if (on) flags.push_back(flag);
  std::sort(flags.begin(), flags.end());
  std::string out(UniqueName(fileName));
  out += ":2,";
  out += flags;
  return out;
}

std::string MaildirFileName::ForCur(std::string_view fileName) {
  if (fileName.find(':') != std::string_view::npos) return std::string(fileName);
  return std::string(fileName) + ":2,";
}

std::string MaildirFileName::ForAnotherFolder(std::string_view fileName) {
  std::string name = ForCur(fileName);
  const std::size_t uniqueEnd = name.find(':');
  for (std::size_t at = name.find(",U="); at < uniqueEnd; at = name.find(",U=", at + 1)) {
    std::size_t end = at + 3;
    while (end < uniqueEnd && name[end] >= '0' && name[end] <= '9') ++end;
    if (end > at + 3 && (end == uniqueEnd || name[end] == ',')) {
      name.erase(at, end - at);
      break;
    }
  }
  return name;
}

std::string MaildirFileName::NewUniqueName(unsigned long sequence) {
  timeval now{};
  gettimeofday(&now, nullptr);
  char head[96];
  std::snprintf(head, sizeof head, "%lld.M%06ldP%ldQ%lu.", static_cast<long long>(now.tv_sec),
                static_cast<long>(now.tv_usec), static_cast<long>(getpid()), sequence);
  return head + HostName();
}

}  // namespace skerrow::maildir
