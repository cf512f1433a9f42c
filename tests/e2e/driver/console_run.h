#pragma once

#include "driver/wait.h"

#include <optional>
#include <string>
#include <vector>
#include <windows.h>

namespace dustbane::e2e {

// What Dustbane.exe printed and returned when started from a script.
struct ConsoleRun {
    // Nothing when the program was still running at the timeout (it is then terminated).
    std::optional<DWORD> exitCode;
    // The printed lines, UTF-8, without their line ends.
    std::vector<std::string> lines;
};

// Where Dustbane.exe is started: the folder it is in, ending with a backslash, and its current
// directory; each the installation folder when empty.
struct ConsoleStart {
    std::string folder = {};
    std::string workingDirectory = {};
};

// Starts Dustbane.exe with the given arguments and its standard output redirected to a file,
// as a script or a scheduled task would, and waits for it.
ConsoleRun runConsole(const std::vector<std::string>& arguments,
                      std::chrono::milliseconds timeout = 60s, const ConsoleStart& start = {});

} // namespace dustbane::e2e
