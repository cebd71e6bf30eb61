// Window procedures of this module put in place of a window's own through
// SetWindowLongPtrA(GWLP_WNDPROC).
//
// The window system calls a window procedure as a plain function, so each
// installation gets one of a few static thunks, and the thunk finds its
// installation in a property of the window named after the thunk. Each
// installation thus has a procedure address of its own: another program that
// replaces the procedure after us and hands messages down to ours reaches
// exactly the installation it replaced, and a second installation of ours on
// the same window chains to the first like any other procedure.
//
// An installation belongs to its window: it is dropped when a restore takes it
// out or the window is destroyed (WM_NCDESTROY), not before. An installation
// that a later procedure keeps in the window's chain can be orphaned by its
// owner: from then on it hands every message straight to the procedure it
// replaced, touching nothing of the owner's.
//
// The thunks never let an exception out: a procedure that throws leaves the
// message to the procedure it replaced.
#pragma once

#include <windows.h>

#include <memory>

#include "platform/WindowSystem.h"

namespace skerrow::win32 {

// At most this many installations of this module on one window.
inline constexpr int kThunksPerWindow = 8;

// Installs procedure on the window for owner (any tag of the caller's, for
// Orphan). Returns the window's previous procedure, or kNoProcedure when the
// window does not exist, is not the process's, or holds kThunksPerWindow of
// ours already.
ProcedureToken InstallProcedure(HWND window, std::shared_ptr<WindowProcedure> procedure,
                                const void* owner);
// Whether procedure, installed by InstallProcedure, is the window's current
// procedure.
bool IsCurrentProcedure(HWND window, const WindowProcedure& procedure);
// Makes previous the window's procedure; an installation of ours that was
// current is dropped. False when the window does not exist or previous names
// no procedure.
bool RestoreProcedure(HWND window, ProcedureToken previous);
// CallWindowProcA.
LRESULT CallProcedure(ProcedureToken procedure, HWND window, UINT message, WPARAM wParam,
                      LPARAM lParam);
// Every installation of owner still on the window passes messages on from now
// on, without its procedure.
void OrphanProcedures(HWND window, const void* owner);

}  // namespace skerrow::win32
