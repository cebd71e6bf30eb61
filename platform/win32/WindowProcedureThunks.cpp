#include "platform/win32/WindowProcedureThunks.h"

#include <array>
#include <utility>

namespace skerrow::win32 {

namespace {

struct Installation {
  std::shared_ptr<WindowProcedure> procedure;  // null once orphaned
  WNDPROC previous = nullptr;
  const void* owner = nullptr;
};

constexpr std::array<const char*, kThunksPerWindow> kPropertyNames = {
    "Skerrow.WindowProcedure.0", "Skerrow.WindowProcedure.1", "Skerrow.WindowProcedure.2",
    "Skerrow.WindowProcedure.3", "Skerrow.WindowProcedure.4", "Skerrow.WindowProcedure.5",
    "Skerrow.WindowProcedure.6", "Skerrow.WindowProcedure.7"};

Installation* Find(HWND window, std::size_t slot) {
  return static_cast<Installation*>(GetPropA(window, kPropertyNames[slot]));
}

void Drop(HWND window, std::size_t slot) {
  delete static_cast<Installation*>(RemovePropA(window, kPropertyNames[slot]));
}

LRESULT Dispatch(std::size_t slot, HWND window, UINT message, WPARAM wParam,
                 LPARAM lParam) noexcept {
  const Installation* installation = Find(window, slot);
  if (installation == nullptr || installation->previous == nullptr) {
    return DefWindowProcA(window, message, wParam, lParam);
  }
  // Copies: the procedure may restore the previous one, which drops the
  // installation while the procedure still runs.
  const std::shared_ptr<WindowProcedure> procedure = installation->procedure;
  const WNDPROC previous = installation->previous;
  LRESULT result = 0;
  bool answered = false;
  if (procedure != nullptr) {
    try {
      result = procedure->OnMessage(WindowHandle{reinterpret_cast<std::uintptr_t>(window)}, message,
                                    wParam, lParam);
      answered = true;
    } catch (...) {
      // Nothing may leave a window procedure; the procedure we replaced
      // answers instead.
    }
  }
  if (!answered) result = CallWindowProcA(previous, window, message, wParam, lParam);
  if (message == WM_NCDESTROY) Drop(window, slot);
  return result;
}

template <std::size_t Slot>
LRESULT CALLBACK Thunk(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return Dispatch(Slot, window, message, wParam, lParam);
}

template <std::size_t... Slots>
constexpr std::array<WNDPROC, sizeof...(Slots)> MakeThunks(std::index_sequence<Slots...>) {
  return {&Thunk<Slots>...};
}

constexpr std::array<WNDPROC, kThunksPerWindow> kThunks =
    MakeThunks(std::make_index_sequence<kThunksPerWindow>{});

// The slot whose thunk procedure is, or kThunksPerWindow for none.
std::size_t SlotOf(LONG_PTR procedure) {
  std::size_t slot = 0;
  while (slot < kThunks.size() && reinterpret_cast<LONG_PTR>(kThunks[slot]) != procedure) ++slot;
  return slot;
}

bool IsOwnWindow(HWND window) {
  DWORD process = 0;
  return IsWindow(window) && GetWindowThreadProcessId(window, &process) != 0 &&
         process == GetCurrentProcessId();
}

}  // namespace

ProcedureToken InstallProcedure(HWND window, std::shared_ptr<WindowProcedure> procedure,
                                const void* owner) {
  if (procedure == nullptr || !IsOwnWindow(window)) return kNoProcedure;
  std::size_t slot = 0;
  while (slot < kThunks.size() && Find(window, slot) != nullptr) ++slot;
  if (slot == kThunks.size()) return kNoProcedure;
  auto installation = std::make_unique<Installation>();
  installation->procedure = std::move(procedure);
  installation->owner = owner;
  if (!SetPropA(window, kPropertyNames[slot], installation.get())) return kNoProcedure;
  // A window always has a procedure: 0 means the replacement failed.
  const LONG_PTR previous =
      SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(kThunks[slot]));
  if (previous == 0) {
    RemovePropA(window, kPropertyNames[slot]);
    return kNoProcedure;
  }
  installation->previous = reinterpret_cast<WNDPROC>(previous);
  installation.release();  // the window's now, until it is dropped
  return static_cast<ProcedureToken>(previous);
}

bool IsCurrentProcedure(HWND window, const WindowProcedure& procedure) {
  if (!IsWindow(window)) return false;
  const std::size_t slot = SlotOf(GetWindowLongPtrA(window, GWLP_WNDPROC));
  if (slot == kThunks.size()) return false;
  const Installation* installation = Find(window, slot);
  return installation != nullptr && installation->procedure.get() == &procedure;
}

bool RestoreProcedure(HWND window, ProcedureToken previous) {
  if (previous == kNoProcedure || !IsWindow(window)) return false;
  const LONG_PTR current = GetWindowLongPtrA(window, GWLP_WNDPROC);
  if (current == static_cast<LONG_PTR>(previous)) return true;
  if (SetWindowLongPtrA(window, GWLP_WNDPROC, static_cast<LONG_PTR>(previous)) == 0) return false;
  const std::size_t slot = SlotOf(current);
  if (slot != kThunks.size()) Drop(window, slot);
  return true;
}

LRESULT CallProcedure(ProcedureToken procedure, HWND window, UINT message, WPARAM wParam,
                      LPARAM lParam) {
  if (procedure == kNoProcedure) return 0;
  return CallWindowProcA(reinterpret_cast<WNDPROC>(procedure), window, message, wParam, lParam);
}

void OrphanProcedures(HWND window, const void* owner) {
  if (!IsWindow(window)) return;
  for (std::size_t slot = 0; slot < kThunks.size(); ++slot) {
    Installation* installation = Find(window, slot);
    if (installation != nullptr && installation->owner == owner) installation->procedure.reset();
  }
}

}  // namespace skerrow::win32
