// The platform of the Windows home: every service over the Win32 calls, in the
// system's ANSI code page, with MSHTML as the HTML engine. Owned by the add-in
// object for its whole life; used on the mail client's user-interface thread,
// with COM initialised there.
#pragma once

#include <windows.h>

#include "platform/Platform.h"
#include "platform/win32/MessageBoxUserInterface.h"
#include "platform/win32/MshtmlEngine.h"
#include "platform/win32/Win32Clipboard.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32CodePage.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Profile.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32WindowSystem.h"

namespace skerrow {

class Win32Platform {
 public:
  // module: the add-in's DLL, whose resources hold the toolbar bitmaps and
  // the notification icon.
  explicit Win32Platform(HINSTANCE module);
  Win32Platform(const Win32Platform&) = delete;
  Win32Platform& operator=(const Win32Platform&) = delete;

  Platform& platform() { return platform_; }

 private:
  Win32Profile profile_;
  Win32Registry registry_;
  Win32FileSystem files_;
  Win32CodePage codePage_;
  Win32Clock clock_;
  MessageBoxUserInterface ui_;
  Win32Shell shell_;
  Win32Clipboard clipboard_;
  Win32WindowSystem windows_;
  MshtmlEngine html_;
  Platform platform_;
};

}  // namespace skerrow
