#include "platform/win32/Win32Registry.h"

#include <windows.h>

#include <string>

namespace skerrow {

namespace {

HKEY RootKey(RegistryRoot root) {
  switch (root) {
    case RegistryRoot::ClassesRoot:
      return HKEY_CLASSES_ROOT;
    case RegistryRoot::CurrentUser:
      return HKEY_CURRENT_USER;
    case RegistryRoot::LocalMachine:
      break;
  }
  return HKEY_LOCAL_MACHINE;
}

}  // namespace

std::optional<std::string> Win32Registry::QueryString(RegistryRoot root, std::string_view keyPath,
                                                      std::string_view valueName,
                                                      std::size_t bufferSize) {
  if (bufferSize == 0 || bufferSize > MAXDWORD || keyPath.find('\0') != std::string_view::npos ||
      valueName.find('\0') != std::string_view::npos) {
    return std::nullopt;
  }
  HKEY key = nullptr;
  if (RegOpenKeyExA(RootKey(root), std::string(keyPath).c_str(), 0, KEY_QUERY_VALUE, &key) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  // One byte more than the caller's buffer: a value stored without its
  // terminating NUL still ends in one here.
  std::string data(bufferSize + 1, '\0');
  DWORD type = REG_NONE;
  DWORD size = static_cast<DWORD>(bufferSize);
  const LSTATUS status = RegQueryValueExA(key, std::string(valueName).c_str(), nullptr, &type,
                                          reinterpret_cast<BYTE*>(data.data()), &size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return std::nullopt;
  data.resize(data.find('\0'));
  // The text and its terminating NUL must fit into the caller's buffer.
  if (data.size() + 1 > bufferSize) return std::nullopt;
  return data;
}

}  // namespace skerrow
