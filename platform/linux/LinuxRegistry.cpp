#include "platform/linux/LinuxRegistry.h"

#include "platform/linux/TextLines.h"

namespace skerrow {

namespace {

using textlines::EqualsNoCase;

bool RootMatches(std::string_view name, RegistryRoot root) {
  switch (root) {
    case RegistryRoot::ClassesRoot:
      return EqualsNoCase(name, "HKEY_CLASSES_ROOT") || EqualsNoCase(name, "HKCR");
    case RegistryRoot::CurrentUser:
      return EqualsNoCase(name, "HKEY_CURRENT_USER") || EqualsNoCase(name, "HKCU");
    case RegistryRoot::LocalMachine:
      return EqualsNoCase(name, "HKEY_LOCAL_MACHINE") || EqualsNoCase(name, "HKLM");
  }
  return false;
}

// "Software\\Microsoft\\" and "software\microsoft" name the same key.
std::string_view TrimSeparators(std::string_view path) {
  while (!path.empty() && path.front() == '\\') path.remove_prefix(1);
  while (!path.empty() && path.back() == '\\') path.remove_suffix(1);
  return path;
}

bool KeyMatches(std::string_view header, RegistryRoot root, std::string_view keyPath) {
  std::size_t split = header.find('\\');
  std::string_view rootName = header.substr(0, split);
  std::string_view path =
      split == std::string_view::npos ? std::string_view{} : header.substr(split);
  return RootMatches(textlines::Trim(rootName), root) &&
         EqualsNoCase(TrimSeparators(path), TrimSeparators(keyPath));
}

}  // namespace

std::string_view LinuxRegistry::InitialContent() {
  return "; Registry of this prefix: [ROOT\\key] lines, then name=value lines.\n"
         "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion]\n"
         "ProgramFilesDir=C:\\Program Files\n";
}

std::optional<std::string> LinuxRegistry::QueryString(RegistryRoot root, std::string_view keyPath,
                                                      std::string_view valueName,
                                                      std::size_t bufferSize) {
  std::optional<std::string> text = textlines::ReadFile(file_);
  if (!text) return std::nullopt;
  bool inKey = false;
  for (std::string_view line : textlines::SplitLines(*text)) {
    std::string_view trimmed = textlines::Trim(line);
    if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '#') continue;
    if (trimmed.front() == '[') {
      if (inKey) return std::nullopt;  // the first matching key holds no such value
      if (trimmed.back() == ']') {
        inKey = KeyMatches(trimmed.substr(1, trimmed.size() - 2), root, keyPath);
      }
      continue;
    }
    if (!inKey) continue;
    std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    if (!EqualsNoCase(textlines::Trim(line.substr(0, equals)), valueName)) continue;
    std::string_view value = line.substr(equals + 1);
    // The value and its terminating NUL must fit into the caller's buffer.
    if (value.size() + 1 > bufferSize || value.find('\0') != std::string_view::npos) {
      return std::nullopt;
    }
    return std::string(value);
  }
  return std::nullopt;
}

}  // namespace skerrow
