#pragma once

#include "platform/platform.h"
#include "start/command_line.h"

#include <functional>
#include <string>

namespace dustbane {

// Receives the output one line at a time, without a line end.
using LineSink = std::function<void(const std::string& line)>;

namespace exit_code {
inline constexpr int success = 0;
// Some selected items stayed (in use, access denied), or the log could not be written.
inline constexpr int itemsStayed = 1;
// Also a /clean that has no saved settings to run with.
inline constexpr int usageError = 2;
// Dustbane itself failed; what it was is printed.
inline constexpr int unexpectedError = 3;
} // namespace exit_code

// Runs a command other than the window's: the usage text, the removal of the scheduled
// clean, or a preview or a clean run with the stored settings, printing what it does. The
// ports are the real ones; a preview wraps them so that nothing changes, and no question ever
// reaches their prompter. Returns the process exit code.
int runCommand(const Command& command, Platform& ports, const LineSink& print);

// Runs the work of a command without the window; an error that escapes it is printed, never
// shown in a box that nobody may be there to close, and gives exit_code::unexpectedError.
int runPrintingErrors(const std::function<int()>& work, const LineSink& print);

} // namespace dustbane
