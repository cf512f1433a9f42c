#pragma once

#include <windows.h>

namespace dustbane::e2e {

// What Wine reports for the prefix the scenario runs in.
LANGID systemLanguage();
// The primary screen in virtual-screen coordinates.
RECT screenRect();
// Whether the scenario runs under Wine rather than on Windows, for the few checks where the
// two differ.
bool runsOnWine();

} // namespace dustbane::e2e
