#include "platform/win32/Win32WindowSystem.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "platform/win32/NotifyIconData.h"

namespace skerrow {
namespace {

constexpr unsigned kProbe = WM_APP + 7;

// Who saw each probe message, in order: 'o' for the window's own procedure,
// 'f' for a foreign one, the letter of one of ours otherwise.
std::string seen;

LRESULT CALLBACK OwnProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kProbe) seen += 'o';
  return DefWindowProcA(window, message, wParam, lParam);
}

WNDPROC foreignPrevious = nullptr;
LRESULT CALLBACK ForeignProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kProbe) seen += 'f';
  return CallWindowProcA(foreignPrevious, window, message, wParam, lParam);
}

struct Letter : WindowProcedure {
  Letter(WindowSystem& windows, char letter) : windows(windows), letter(letter) {}
  LResult OnMessage(WindowHandle window, unsigned message, WParam wParam, LParam lParam) override {
    if (message == kProbe) seen += letter;
    if (message == kProbe && throws) throw std::runtime_error("no");
    return windows.CallProcedure(previous, window, message, wParam, lParam);
  }
  WindowSystem& windows;
  char letter;
  bool throws = false;
  ProcedureToken previous = kNoProcedure;
};

class Win32WindowSystemTest : public ::testing::Test {
 protected:
  Win32WindowSystemTest() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = OwnProcedure;
    windowClass.lpszClassName = "SkerrowTestWindow";
    RegisterClassA(&windowClass);
    hwnd = CreateWindowA("SkerrowTestWindow", "Inbox", WS_OVERLAPPEDWINDOW, 10, 20, 300, 200,
                         nullptr, nullptr, nullptr, nullptr);
  }
  ~Win32WindowSystemTest() override { DestroyWindow(hwnd); }

  std::shared_ptr<Letter> Install(char letter, WindowSystem& into) {
    auto procedure = std::make_shared<Letter>(into, letter);
    procedure->previous = into.ReplaceProcedure(window(), procedure);
    EXPECT_NE(procedure->previous, kNoProcedure);
    return procedure;
  }
  std::string Probe() {
    seen.clear();
    SendMessageA(hwnd, kProbe, 0, 0);
    return seen;
  }
  WindowHandle window() const { return Win32WindowSystem::ToHandle(hwnd); }

  Win32WindowSystem windows{nullptr};
  HWND hwnd;
};

TEST_F(Win32WindowSystemTest, AReplacedProcedureSeesMessagesFirstUntilItIsRestored) {
  ASSERT_NE(hwnd, nullptr) << "no top-level window under this Wine";
  std::shared_ptr<Letter> a = Install('a', windows);
  EXPECT_TRUE(windows.IsCurrentProcedure(window(), *a));
  EXPECT_EQ(Probe(), "ao");
  EXPECT_FALSE(windows.Post(kNoWindow, kProbe, 0, 0));
  std::weak_ptr<Letter> dropped = a;
  ASSERT_TRUE(windows.RestoreProcedure(window(), a->previous));
  a.reset();
  EXPECT_TRUE(dropped.expired());
  EXPECT_EQ(Probe(), "o");
}

TEST_F(Win32WindowSystemTest, ProceduresChainThroughEachOtherAndThroughForeignOnes) {
  auto owner = std::make_unique<Win32WindowSystem>(nullptr);
  std::shared_ptr<Letter> a = Install('a', *owner);
  std::shared_ptr<Letter> b = Install('b', *owner);
  EXPECT_EQ(Probe(), "bao");
  foreignPrevious = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ForeignProcedure)));
  EXPECT_FALSE(owner->IsCurrentProcedure(window(), *b));
  EXPECT_EQ(Probe(), "fbao");
  // Ours, kept in the chain by the foreign one, outlive their window system
  // and pass messages on without it.
  owner.reset();
  EXPECT_EQ(Probe(), "fo");
}

TEST_F(Win32WindowSystemTest, AProcedureThatThrowsLeavesTheMessageToTheOneItReplaced) {
  Install('a', windows)->throws = true;
  EXPECT_EQ(Probe(), "ao");
}

TEST_F(Win32WindowSystemTest, ADestroyedWindowDropsItsProcedures) {
  std::weak_ptr<Letter> a = Install('a', windows);
  DestroyWindow(hwnd);
  EXPECT_TRUE(a.expired());
  EXPECT_EQ(windows.ReplaceProcedure(window(), std::make_shared<Letter>(windows, 'x')),
            kNoProcedure);
  EXPECT_FALSE(windows.RestoreProcedure(window(), 1234));
}

TEST_F(Win32WindowSystemTest, ThreadTimersTickUntilStoppedOrTheirWindowSystemGoes) {
  int ticks = 0;
  auto pump = [&](ULONGLONG ms) {
    for (const ULONGLONG end = GetTickCount64() + ms; GetTickCount64() < end;) {
      MSG message;
      while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
  };
  const TimerId timer = windows.StartThreadTimer(10, [&] {
    ++ticks;
    throw std::runtime_error("a callback's exception stays in the callback");
  });
  pump(80);
  EXPECT_GE(ticks, 2);
  EXPECT_TRUE(windows.StopThreadTimer(timer));
  EXPECT_FALSE(windows.StopThreadTimer(timer));
  Win32WindowSystem(nullptr).StartThreadTimer(10, [&] { ++ticks; });
  ticks = 0;
  pump(50);
  EXPECT_EQ(ticks, 0);
}

TEST_F(Win32WindowSystemTest, ZOrderChangesNeverMoveOrSizeTheWindow) {
  RECT before{}, after{};
  GetWindowRect(hwnd, &before);
  EXPECT_TRUE(windows.SetZOrder(window(), swp::kTopmost, 0));
  EXPECT_TRUE(GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_TRUE(windows.SetZOrder(window(), swp::kNotTopmost, swp::kShowWindow));
  EXPECT_FALSE(GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
  GetWindowRect(hwnd, &after);
  EXPECT_TRUE(EqualRect(&before, &after));
}

TEST(NotifyIconData, TheVersion5RecordTakesThisBuildsSizeOfThatLayout) {
  NotifyIconRecord record{488, WindowHandle{0x1234}, 555, 7, 1621, 32512, std::string(200, 't')};
  NOTIFYICONDATAA data;
  ASSERT_TRUE(win32::NotifyIconDataFor(record, nullptr, data));  // the system's application icon
  EXPECT_EQ(data.cbSize, sizeof(void*) == 8 ? 504u : 488u);
  EXPECT_EQ(data.hWnd, reinterpret_cast<HWND>(0x1234));
  EXPECT_EQ(data.uID + data.uFlags + data.uCallbackMessage, 555u + 7u + 1621u);
  EXPECT_NE(data.hIcon, nullptr);
  EXPECT_EQ(std::string(data.szTip), std::string(127, 't'));
  record.iconResource = 4321;  // no such icon
  EXPECT_FALSE(win32::NotifyIconDataFor(record, nullptr, data));
}

}  // namespace
}  // namespace skerrow
