#include "platform/win32/Win32FileIo.h"

namespace skerrow::win32 {

std::optional<std::wstring> WidePath(std::string_view path) {
  if (path.empty() || path.size() > MAXINT || path.find('\0') != std::string_view::npos) {
    return std::nullopt;
  }
  const int length = static_cast<int>(path.size());
  const int wideLength = MultiByteToWideChar(CP_ACP, 0, path.data(), length, nullptr, 0);
  if (wideLength <= 0) return std::nullopt;
  std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
  if (MultiByteToWideChar(CP_ACP, 0, path.data(), length, wide.data(), wideLength) != wideLength) {
    return std::nullopt;
  }
  return wide;
}

bool WriteWhole(HANDLE file, const void* data, std::size_t size) {
  const char* bytes = static_cast<const char*>(data);
  while (size > 0) {
    const DWORD chunk = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
    DWORD written = 0;
    if (!WriteFile(file, bytes, chunk, &written, nullptr) || written == 0) return false;
    bytes += written;
    size -= written;
  }
  return true;
}

}  // namespace skerrow::win32
