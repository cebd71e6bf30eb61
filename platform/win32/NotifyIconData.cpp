#include "platform/win32/NotifyIconData.h"

#include <algorithm>

namespace skerrow::win32 {

bool NotifyIconDataFor(const NotifyIconRecord& record, HINSTANCE module, NOTIFYICONDATAA& data) {
  if (record.size != kVersion5RecordSize) return false;
  data = NOTIFYICONDATAA{};
  data.cbSize = NOTIFYICONDATAA_V2_SIZE;
  data.hWnd = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(record.window));
  data.uID = record.id;
  data.uFlags = record.flags;
  data.uCallbackMessage = record.callbackMessage;
  if (record.flags & NIF_ICON) {
    // Shared: the system keeps the icon for the module's life, and nobody
    // destroys it.
    data.hIcon = static_cast<HICON>(LoadImageA(module, MAKEINTRESOURCEA(record.iconResource),
                                               IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    if (data.hIcon == nullptr) return false;
  }
  // The tip is cut to what the layout holds, its NUL included.
  const std::size_t length = (std::min)(record.tip.size(), sizeof data.szTip - 1);
  std::copy_n(record.tip.begin(), length, data.szTip);
  data.szTip[length] = '\0';
  return true;
}

}  // namespace skerrow::win32
