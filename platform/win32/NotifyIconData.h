// The shell's notification data for a NotifyIconRecord.
//
// The record's size names the shell's version 5 layout by its size in a
// 32-bit process (488 bytes), as the add-in has always given it. The same
// layout has pointer-sized fields, so it is 504 bytes in the 64-bit build:
// the size handed to the shell is always this build's size of that layout
// (NOTIFYICONDATAA_V2_SIZE), and a record naming any other layout is refused.
#pragma once

#include <windows.h>
// After windows.h, whose declarations it needs.
#include <shellapi.h>

#include "platform/WindowSystem.h"

namespace skerrow::win32 {

// The record's size for the version 5 layout, in every build.
inline constexpr std::uint32_t kVersion5RecordSize = 488;

// Fills data for record, with the icon resource of module (a null module: the
// system's icons) at the small icon size. False when the record names another
// layout or its icon cannot be loaded (an icon without a picture could never
// be clicked).
bool NotifyIconDataFor(const NotifyIconRecord& record, HINSTANCE module, NOTIFYICONDATAA& data);

}  // namespace skerrow::win32
