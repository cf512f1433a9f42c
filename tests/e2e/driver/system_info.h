#pragma once

#include <windows.h>

namespace dustbane::e2e {

// What Wine reports for the prefix the scenario runs in.
LANGID systemLanguage();
// The primary screen in virtual-screen coordinates.
RECT screenRect();

} // namespace dustbane::e2e
