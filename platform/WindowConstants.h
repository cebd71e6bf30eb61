// The window messages, show commands and flags the window services use, under
// names of our own. The values are the window system's, because they travel
// through it unchanged.
#pragma once

#include <cstdint>

namespace skerrow {

namespace wm {
inline constexpr unsigned kSize = 0x0005;
inline constexpr unsigned kClose = 0x0010;
inline constexpr unsigned kLeftButtonDown = 0x0201;
inline constexpr unsigned kLeftButtonUp = 0x0202;
inline constexpr unsigned kLeftButtonDoubleClick = 0x0203;  // 515
inline constexpr unsigned kRightButtonDown = 0x0204;
inline constexpr unsigned kRightButtonUp = 0x0205;
inline constexpr unsigned kUser = 0x0400;
// The message the notification icon sends to its window: user message 597.
inline constexpr unsigned kNotifyIconCallback = kUser + 597;  // 1621
}  // namespace wm

// WM_SIZE's first parameter.
namespace size {
inline constexpr std::uintptr_t kRestored = 0;
inline constexpr std::uintptr_t kMinimized = 1;
inline constexpr std::uintptr_t kMaximized = 2;
}  // namespace size

// Show commands (ShowWindow) and placement show states.
namespace sw {
inline constexpr int kHide = 0;
inline constexpr int kShowNormal = 1;
inline constexpr int kShowMinimized = 2;
inline constexpr int kShowMaximized = 3;
inline constexpr int kShowNoActivate = 4;
inline constexpr int kShow = 5;
inline constexpr int kMinimize = 6;
inline constexpr int kRestore = 9;
}  // namespace sw

// SetWindowPos: where the window goes in the z-order, and how.
namespace swp {
inline constexpr std::intptr_t kTopmost = -1;
inline constexpr std::intptr_t kNotTopmost = -2;
inline constexpr unsigned kNoSize = 0x0001;
inline constexpr unsigned kNoMove = 0x0002;
inline constexpr unsigned kShowWindow = 0x0040;
}  // namespace swp

// Notification icon record flags.
namespace nif {
inline constexpr std::uint32_t kMessage = 0x1;
inline constexpr std::uint32_t kIcon = 0x2;
inline constexpr std::uint32_t kTip = 0x4;
}  // namespace nif

}  // namespace skerrow
