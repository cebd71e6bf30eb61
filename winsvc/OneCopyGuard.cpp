#include "winsvc/OneCopyGuard.h"

#include <algorithm>
#include <vector>

#include "platform/Platform.h"

namespace skerrow {

void OneCopyGuard::Tick() {
  const std::vector<WindowHandle> windows = windows_.TopLevelWindows();
  std::vector<WindowHandle> copies;
  for (WindowHandle window : windows) {
    const std::string title = codePage_.ToUpper(windows_.WindowTitle(window, kTitleBufferSize));
    if (title.find(kTitleMark) != std::string::npos) copies.push_back(window);
  }
  if (copies.size() < 2) return;

  // The window the add-in's procedure sits on is the client's main window;
  // the active window need not be (a second main window is active right after
  // it opens), and closing the wrong one would take the hidden-to-tray window
  // and its icon down with it. A kept window that is gone no longer counts.
  const bool keptExists = std::find(windows.begin(), windows.end(), keptWindow_) != windows.end();
  const WindowHandle main = keptExists ? keptWindow_ : windows_.MainWindow();
  if (main == kNoWindow || windows_.ParentWindow(main) != kNoWindow) return;
  for (WindowHandle window : copies) {
    if (window != main) windows_.Post(window, wm::kClose, 0, 0);
  }
}

}  // namespace skerrow
