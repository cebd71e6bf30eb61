// Drives the options page's windows the way a user does, from the test's own
// thread: clicks on controls, and a rule dialog acted on once its modal loop
// runs (a thread timer fires inside that loop).
#pragma once

#include <windows.h>

#include <functional>
#include <utility>

namespace skerrow::testing {

// Clicks a button or box the way the user does; the control tells its dialog.
inline void ClickControl(HWND dialog, int id) {
  SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

inline bool IsChecked(HWND dialog, int id) {
  return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

// Runs `act` on the rule dialog titled `caption` once its modal loop runs.
class ModalDriver {
 public:
  ModalDriver(const char* caption, std::function<void(HWND)> act) {
    current_ = this;
    caption_ = caption;
    act_ = std::move(act);
    timer_ = SetTimer(nullptr, 0, 20, &Tick);
  }
  ~ModalDriver() {
    KillTimer(nullptr, timer_);
    current_ = nullptr;
  }
  bool acted() const { return acted_; }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    ModalDriver* self = current_;
    if (self == nullptr || self->acted_) return;
    HWND dialog = FindWindowA("#32770", self->caption_);
    if (dialog == nullptr) return;
    self->acted_ = true;
    self->act_(dialog);
  }

  static inline ModalDriver* current_ = nullptr;
  const char* caption_ = nullptr;
  std::function<void(HWND)> act_;
  UINT_PTR timer_ = 0;
  bool acted_ = false;
};

}  // namespace skerrow::testing
