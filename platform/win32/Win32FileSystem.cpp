#include "platform/win32/Win32FileSystem.h"

#include <windows.h>

#include "platform/win32/Win32FileIo.h"
#include "platform/win32/Win32ReplacementFile.h"

namespace skerrow {

namespace {

std::string WithTextModeLineEnds(std::string_view text) {
  std::string result;
  result.reserve(text.size() + text.size() / 16);
  for (char c : text) {
    if (c == '\n') result.push_back('\r');
    result.push_back(c);
  }
  return result;
}

}  // namespace

bool Win32FileSystem::AppendText(std::string_view path, std::string_view text) {
  const std::optional<std::wstring> wide = win32::WidePath(path);
  if (!wide) return false;
  // Append access only: every write lands at the end of the file, whoever
  // else appends to it.
  HANDLE file = CreateFileW(wide->c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const std::string lines = WithTextModeLineEnds(text);
  const bool written = win32::WriteWhole(file, lines.data(), lines.size());
  return CloseHandle(file) && written;
}

std::optional<std::string> Win32FileSystem::ReadAll(std::string_view path) {
  const std::optional<std::wstring> wide = win32::WidePath(path);
  if (!wide) return std::nullopt;
  HANDLE file = CreateFileW(wide->c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes;
  bool ok = true;
  for (;;) {
    char chunk[65536];
    DWORD read = 0;
    if (!ReadFile(file, chunk, sizeof chunk, &read, nullptr)) {
      ok = false;
      break;
    }
    if (read == 0) break;
    bytes.append(chunk, read);
  }
  CloseHandle(file);
  if (!ok) return std::nullopt;
  return bytes;
}

bool Win32FileSystem::Exists(std::string_view path) {
  const std::optional<std::wstring> wide = win32::WidePath(path);
  if (!wide) return false;
  if (GetFileAttributesW(wide->c_str()) != INVALID_FILE_ATTRIBUTES) return true;
  switch (GetLastError()) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_PATHNAME:
      return false;
    default:
      return true;  // there, but not ours to look at (no rights, in use)
  }
}

bool Win32FileSystem::RenameFile(std::string_view from, std::string_view to) {
  const std::optional<std::wstring> source = win32::WidePath(from);
  const std::optional<std::wstring> target = win32::WidePath(to);
  return source && target &&
         MoveFileExW(source->c_str(), target->c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

std::unique_ptr<ReplacementFile> Win32FileSystem::CreateReplacement(std::string_view path) {
  const std::optional<std::wstring> wide = win32::WidePath(path);
  if (!wide) return nullptr;
  return Win32ReplacementFile::Create(*wide);
}

}  // namespace skerrow
