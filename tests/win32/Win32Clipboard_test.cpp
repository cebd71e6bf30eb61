#include "platform/win32/Win32Clipboard.h"

#include <gtest/gtest.h>

#include <cstring>

namespace skerrow {
namespace {

constexpr int kCloseBitmap = 32754;  // OBM_CLOSE, one of the system's bitmaps

void PutText(const char* text) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, std::strlen(text) + 1);
  std::memcpy(GlobalLock(memory), text, std::strlen(text) + 1);
  GlobalUnlock(memory);
  SetClipboardData(CF_TEXT, memory);
  CloseClipboard();
}

TEST(Win32Clipboard, TheBitmapIsTheClipboardsOnlyContentUntilSomeoneElseChangesIt) {
  PutText("what the user had copied");
  Win32Clipboard clipboard(nullptr);
  ASSERT_TRUE(clipboard.PutBitmap(kCloseBitmap));
  EXPECT_EQ(clipboard.Bitmap(), kCloseBitmap);
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
  ASSERT_TRUE(OpenClipboard(nullptr));
  BITMAP bitmap{};
  EXPECT_NE(GetObjectA(GetClipboardData(CF_BITMAP), sizeof bitmap, &bitmap), 0);
  CloseClipboard();
  PutText("newer");
  EXPECT_EQ(clipboard.Bitmap(), std::nullopt);
}

TEST(Win32Clipboard, AMissingBitmapLeavesTheClipboardAsItWas) {
  PutText("kept");
  Win32Clipboard clipboard(nullptr);
  EXPECT_FALSE(clipboard.PutBitmap(4321));
  EXPECT_EQ(clipboard.Bitmap(), std::nullopt);
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
}

}  // namespace
}  // namespace skerrow
