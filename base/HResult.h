// Status codes of calls that cross the mail host or platform boundary.
// The values are the mail client's HRESULTs, because they are written into the
// error log as they come; the names avoid the Win32 macros of the same values.
#pragma once

#include <cstdint>

namespace skerrow {

using HResult = std::int32_t;

namespace hr {
inline constexpr HResult kOk = 0;
inline constexpr HResult kFalse = 1;
inline constexpr HResult kNotImpl = static_cast<HResult>(0x80004001u);
inline constexpr HResult kNoInterface = static_cast<HResult>(0x80004002u);
inline constexpr HResult kPointer = static_cast<HResult>(0x80004003u);
inline constexpr HResult kFail = static_cast<HResult>(0x80004005u);
inline constexpr HResult kAccessDenied = static_cast<HResult>(0x80070005u);
inline constexpr HResult kOutOfMemory = static_cast<HResult>(0x8007000Eu);
inline constexpr HResult kInvalidArg = static_cast<HResult>(0x80070057u);
inline constexpr HResult kClassNotAvailable = static_cast<HResult>(0x80040111u);
// Not a call's result: the code callers log when something they looked for is
// missing (no mail item, a subject without a marker, an unknown reason).
inline constexpr HResult kMissing = -1;

constexpr bool Succeeded(HResult status) {
  return status >= 0;
}
constexpr bool Failed(HResult status) {
  return status < 0;
}
}  // namespace hr

}  // namespace skerrow
