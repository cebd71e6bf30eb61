// A clipboard that only remembers, for tests that build button faces against
// the in-memory store without a platform.
#pragma once

#include <optional>

#include "platform/Platform.h"

namespace skerrow {

class MemoryClipboard : public Clipboard {
 public:
  bool PutBitmap(int resourceId) override {
    bitmap_ = resourceId;
    ++puts_;
    return true;
  }
  std::optional<int> Bitmap() const override { return bitmap_; }

  void Empty() { bitmap_.reset(); }
  int Puts() const { return puts_; }

 private:
  std::optional<int> bitmap_;
  int puts_ = 0;
};

}  // namespace skerrow
