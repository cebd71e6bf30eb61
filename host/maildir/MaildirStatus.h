// Status codes of the Maildir store beyond the common ones, as the mail
// client's HRESULTs (Win32 errors wrapped with FACILITY_WIN32), so that the
// error log shows the same numbers a Windows home would.
#pragma once

#include <string>

#include "base/HResult.h"

namespace skerrow::maildir {

inline constexpr HResult kFileNotFound = static_cast<HResult>(0x80070002u);
inline constexpr HResult kPathNotFound = static_cast<HResult>(0x80070003u);
inline constexpr HResult kSharingViolation = static_cast<HResult>(0x80070020u);
inline constexpr HResult kDiskFull = static_cast<HResult>(0x80070070u);
inline constexpr HResult kInvalidName = static_cast<HResult>(0x8007007Bu);
inline constexpr HResult kAlreadyExists = static_cast<HResult>(0x800700B7u);
inline constexpr HResult kNotFound = static_cast<HResult>(0x80070490u);
inline constexpr HResult kIoDevice = static_cast<HResult>(0x8007045Du);
// A collection index outside 1..Count (DISP_E_BADINDEX).
inline constexpr HResult kBadIndex = static_cast<HResult>(0x8002000Bu);

// The status for a failed system call's errno.
HResult StatusFromErrno(int error);

// A short English description of a status, for command-line messages; the
// system's own words for the statuses a system call gives.
std::string DescribeStatus(HResult status);

}  // namespace skerrow::maildir
