#include "platform/win32/MessageBoxUserInterface.h"

#include <string>

namespace skerrow {

int MessageBoxUserInterface::ShowMessage(std::string_view text, std::string_view caption,
                                         unsigned style) {
  return MessageBoxA(nullptr, std::string(text).c_str(), std::string(caption).c_str(),
                     style | MB_TASKMODAL);
}

void MessageBoxUserInterface::SetWaitCursor(bool on) {
  if (on) {
    if (waitDepth_++ == 0) replacedCursor_ = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    return;
  }
  if (waitDepth_ == 0) return;
  // A thread that showed no cursor before gets the arrow rather than none.
  if (--waitDepth_ == 0)
    SetCursor(replacedCursor_ ? replacedCursor_ : LoadCursor(nullptr, IDC_ARROW));
}

}  // namespace skerrow
