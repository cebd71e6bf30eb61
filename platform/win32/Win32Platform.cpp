#include "platform/win32/Win32Platform.h"

namespace skerrow {

Win32Platform::Win32Platform(HINSTANCE module)
    : clipboard_(module), windows_(module), platform_{profile_, registry_, files_, codePage_,
                                                      clock_,   ui_,       shell_, clipboard_,
                                                      windows_, html_} {}

}  // namespace skerrow
