#include "platform/win32/Win32Profile.h"

#include <windows.h>

#include <string>

#include "platform/ProfileEntry.h"

namespace skerrow {

namespace {

bool HasNul(std::string_view text) {
  return text.find('\0') != std::string_view::npos;
}

}  // namespace

std::int32_t Win32Profile::ReadInt(std::string_view section, std::string_view key,
                                   std::int32_t defaultValue) {
  if (HasNul(section) || HasNul(key)) return defaultValue;
  // The system returns the number's 32 bits unsigned; a negative value comes
  // back as its two's complement.
  return static_cast<std::int32_t>(GetProfileIntA(std::string(TrimProfileName(section)).c_str(),
                                                  std::string(TrimProfileName(key)).c_str(),
                                                  defaultValue));
}

std::string Win32Profile::ReadString(std::string_view section, std::string_view key,
                                     std::string_view defaultValue, std::size_t bufferSize) {
  if (bufferSize == 0) return {};
  const std::string sectionName(TrimProfileName(section));
  const std::string keyName(TrimProfileName(key));
  const std::string fallback(defaultValue.substr(0, defaultValue.find('\0')));
  if (HasNul(section) || HasNul(key)) return fallback.substr(0, bufferSize - 1);
  // Start small and grow up to the caller's size only while the text fills
  // the buffer, so that a large buffer size costs nothing for short values.
  constexpr std::size_t kFirstBuffer = 1024;
  constexpr std::size_t kLargestBuffer = 0x7FFFFFFF;
  const std::size_t limit = bufferSize < kLargestBuffer ? bufferSize : kLargestBuffer;
  std::size_t size = limit < kFirstBuffer ? limit : kFirstBuffer;
  std::string text;
  for (;;) {
    text.assign(size, '\0');
    const DWORD length = GetProfileStringA(sectionName.c_str(), keyName.c_str(), fallback.c_str(),
                                           text.data(), static_cast<DWORD>(size));
    text.resize(length);
    // A cut text comes back as size - 1 bytes.
    if (length + 1 < size || size == limit) return text;
    size = size <= limit / 2 ? size * 2 : limit;
  }
}

bool Win32Profile::WriteString(std::string_view section, std::string_view key,
                               std::string_view value) {
  return WriteStrings(section, {{std::string(key), std::string(value)}});
}

bool Win32Profile::WriteStrings(std::string_view section,
                                const std::vector<std::pair<std::string, std::string>>& entries) {
  for (const auto& [key, value] : entries) {
    if (!CanWriteProfileEntry(section, key, value)) return false;
  }
  const std::string sectionName(TrimProfileName(section));
  bool written = true;
  for (const auto& [key, value] : entries) {
    written = WriteProfileStringA(sectionName.c_str(), std::string(TrimProfileName(key)).c_str(),
                                  value.c_str()) != FALSE &&
              written;
  }
  return written;
}

}  // namespace skerrow
