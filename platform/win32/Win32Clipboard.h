// The clipboard of Windows, holding the module's bitmaps for the toolbar's
// button faces.
#pragma once

#include <windows.h>

#include "platform/Platform.h"

namespace skerrow {

class Win32Clipboard : public Clipboard {
 public:
  // The bitmaps are the module's resources (a null module: the system's OEM
  // bitmaps).
  explicit Win32Clipboard(HINSTANCE module) : module_(module) {}

  // Loads the bitmap with its grey shades mapped to the system's colours
  // (LR_LOADMAP3DCOLORS) and leaves it on the clipboard as its only content.
  // False, with the clipboard as it was, when the resource cannot be loaded
  // or the clipboard opened; false as well when the system did not take the
  // bitmap or the clipboard could not be closed.
  bool PutBitmap(int resourceId) override;
  // The resource last put on the clipboard here, while nobody has changed
  // the clipboard since.
  std::optional<int> Bitmap() const override;

 private:
  HINSTANCE module_;
  std::optional<int> resource_;
  DWORD sequence_ = 0;  // the clipboard's sequence number after the put
};

}  // namespace skerrow
