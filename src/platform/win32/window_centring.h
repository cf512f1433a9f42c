#pragma once

#include <windows.h>

namespace dustbane::win32 {

// Centres a window over its owner and keeps it whole on the owner's screen: an owner dragged
// half off the screen must not take its dialogs with it.
void centreOverOwner(HWND window, HWND owner);

} // namespace dustbane::win32
