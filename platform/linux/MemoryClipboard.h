// A clipboard of this process only: it holds the last bitmap put on it.
#pragma once

#include "platform/Platform.h"

namespace skerrow {

class MemoryClipboard : public Clipboard {
 public:
  bool PutBitmap(int resourceId) override {
    bitmap_ = resourceId;
    return true;
  }
  std::optional<int> Bitmap() const override { return bitmap_; }

 private:
  std::optional<int> bitmap_;
};

}  // namespace skerrow
