#pragma once

#include <string>
#include <windows.h>

namespace dustbane::e2e {

// What Wine reports for the prefix the scenario runs in.
LANGID systemLanguage();
// The primary screen in virtual-screen coordinates.
RECT screenRect();
// Whether the scenario runs under Wine rather than on Windows, for the few checks where the
// two differ.
bool runsOnWine();
// A special folder of CSIDL_..., ending with a backslash.
std::string specialFolder(int csidl);

} // namespace dustbane::e2e
