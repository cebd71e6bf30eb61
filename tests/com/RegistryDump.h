// A registry key and everything below it as sorted text lines, so that a
// test can compare a whole tree with what it expects: "SUBKEY\" for a key,
// "SUBKEY\NAME=TEXT" for a string value and "SUBKEY\NAME=dword:N" for a
// number ("" names the key itself, an empty NAME its default value).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace skerrow::testing {

// Empty when the key does not exist.
std::vector<std::wstring> DumpRegistryKey(HKEY root, const std::wstring& path);
bool RegistryKeyExists(HKEY root, const std::wstring& path);

}  // namespace skerrow::testing
