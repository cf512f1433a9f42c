#pragma once

#include <optional>

namespace dustbane::win32 {

// Runs the command given by switches on the command line (/preview, /clean, /?), printing
// to the console, and answers the exit code; nothing when the window is to open instead.
std::optional<int> runConsoleMode();

} // namespace dustbane::win32
