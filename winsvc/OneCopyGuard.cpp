#include "winsvc/OneCopyGuard.h"

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

  const WindowHandle main = windows_.MainWindow();
  if (main == kNoWindow || windows_.ParentWindow(main) != kNoWindow) return;
  for (WindowHandle window : copies) {
    if (window != main) windows_.Post(window, wm::kClose, 0, 0);
  }
}

}  // namespace skerrow
