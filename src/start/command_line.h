#pragma once

#include <string>
#include <vector>

namespace dustbane {

enum class CommandMode {
    Window,     // no switch: the main window, with the folder argument as before
    Preview,    // what a clean run would delete, deleting nothing
    Clean,      // a clean run without the window and without questions
    Unschedule, // removes the current user's scheduled clean
    Usage,      // the usage text was asked for
    UsageError, // switches that make no command; nothing is run
};

struct Command {
    CommandMode mode = CommandMode::Window;
    // Empty the Recycle Bins after the clean run.
    bool emptyBins = false;
    // For UsageError: what was wrong, in plain words.
    std::string error;
    // A preview or clean reports as one JSON document instead of its lines.
    bool json = false;
};

// The arguments after the program name, as the system's command-line rules split them.
// The first argument decides: one that does not start with "/" or "-" is the window's folder
// argument, and the rest are ignored as the window always has; otherwise every argument must
// be a known switch, in any letter case, written with either prefix.
Command parseCommandLine(const std::vector<std::string>& arguments);

// The lines printed for /? and after a usage error.
std::vector<std::string> usageLines();

} // namespace dustbane
