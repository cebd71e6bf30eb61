#include "tests/com/RegistryDump.h"

#include <algorithm>

namespace skerrow::testing {

namespace {

void DumpInto(HKEY key, const std::wstring& relative, std::vector<std::wstring>& lines) {
  lines.push_back(relative + L"\\");
  for (DWORD index = 0;; ++index) {
    wchar_t name[256];
    DWORD nameLength = 256;
    DWORD type = 0;
    BYTE data[2048];
    DWORD dataSize = sizeof(data);
    if (RegEnumValueW(key, index, name, &nameLength, nullptr, &type, data, &dataSize) !=
        ERROR_SUCCESS) {
      break;
    }
    std::wstring line = relative + L"\\" + name + L"=";
    if (type == REG_DWORD) {
      DWORD number = 0;
      std::copy_n(data, sizeof(number), reinterpret_cast<BYTE*>(&number));
      line += L"dword:" + std::to_wstring(number);
    } else if (type == REG_SZ) {
      line += std::wstring(reinterpret_cast<const wchar_t*>(data));
    } else {
      line += L"type:" + std::to_wstring(type);
    }
    lines.push_back(line);
  }
  for (DWORD index = 0;; ++index) {
    wchar_t name[256];
    DWORD nameLength = 256;
    if (RegEnumKeyExW(key, index, name, &nameLength, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
      break;
    }
    HKEY child = nullptr;
    if (RegOpenKeyExW(key, name, 0, KEY_READ, &child) == ERROR_SUCCESS) {
      DumpInto(child, relative.empty() ? name : relative + L"\\" + name, lines);
      RegCloseKey(child);
    }
  }
}

}  // namespace

std::vector<std::wstring> DumpRegistryKey(HKEY root, const std::wstring& path) {
  std::vector<std::wstring> lines;
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return lines;
  DumpInto(key, L"", lines);
  RegCloseKey(key);
  std::sort(lines.begin(), lines.end());
  return lines;
}

bool RegistryKeyExists(HKEY root, const std::wstring& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

}  // namespace skerrow::testing
