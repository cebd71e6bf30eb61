// Helpers of the Windows file services: paths and whole writes.
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace skerrow::win32 {

// The path in UTF-16 for the wide file functions, converted from the system's
// ANSI code page, as the ANSI file functions would; empty for an empty path
// or one holding a NUL.
std::optional<std::wstring> WidePath(std::string_view path);

// Writes every byte, in as many calls as the system needs; false when one
// fails.
bool WriteWhole(HANDLE file, const void* data, std::size_t size);

}  // namespace skerrow::win32
