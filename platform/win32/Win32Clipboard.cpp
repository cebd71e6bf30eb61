#include "platform/win32/Win32Clipboard.h"

namespace skerrow {

bool Win32Clipboard::PutBitmap(int resourceId) {
  HANDLE bitmap =
      LoadImageA(module_, MAKEINTRESOURCEA(resourceId), IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS);
  if (bitmap == nullptr) return false;
  if (!OpenClipboard(nullptr)) {
    DeleteObject(bitmap);
    return false;
  }
  const bool handedOver = EmptyClipboard() && SetClipboardData(CF_BITMAP, bitmap) != nullptr;
  // Once SetClipboardData took the bitmap the system owns it, and deleting
  // it would pull it from under the clipboard; one it never took is ours.
  if (!handedOver) DeleteObject(bitmap);
  const bool closed = CloseClipboard() != FALSE;
  if (!handedOver) {
    resource_.reset();
    return false;
  }
  resource_ = resourceId;
  sequence_ = GetClipboardSequenceNumber();
  return closed;
}

std::optional<int> Win32Clipboard::Bitmap() const {
  if (!resource_ || GetClipboardSequenceNumber() != sequence_ ||
      !IsClipboardFormatAvailable(CF_BITMAP)) {
    return std::nullopt;
  }
  return resource_;
}

}  // namespace skerrow
