// The user interface of Windows: message boxes and the wait cursor.
#pragma once

#include <windows.h>

#include "platform/Platform.h"

namespace skerrow {

class MessageBoxUserInterface : public UserInterface {
 public:
  // MessageBoxA without an owner window, modal to the calling thread: the
  // mail client's windows take no input until the box is answered, so no
  // command can start while one waits. Texts end at a NUL.
  int ShowMessage(std::string_view text, std::string_view caption, unsigned style) override;
  // The first "on" shows the hourglass, the matching last "off" puts back
  // the cursor it replaced (the arrow if there was none); an "off" without an
  // "on" does nothing.
  void SetWaitCursor(bool on) override;

 private:
  int waitDepth_ = 0;
  HCURSOR replacedCursor_ = nullptr;
};

}  // namespace skerrow
