#pragma once

#include "platform/win32/handles.h"

#include <windows.h>

namespace dustbane::win32 {

// The density (dots per inch) a window is drawn at: its monitor's under per-monitor
// awareness, else the system's. Windows before 10 know only the system's.
int windowDpi(HWND window);
int systemDpi();

// The font the system uses for message text (and list and status text), at the density, for
// text in any language.
UniqueFont messageFont(int dpi);

} // namespace dustbane::win32
