#pragma once

#include "platform/file_system.h"
#include "platform/registry.h"

#include <cstdint>
#include <optional>
#include <string>

namespace dustbane {

// How the main window opens, as read from the settings key before the settings are loaded.
struct StartupPlacement {
    enum class Mode {
        Centred,   // designed size, centred on the desktop
        Maximized, // opens maximized
        Stored     // the system's default placement, overridden by the stored bounds present
    };

    // Ends with a backslash.
    std::string installDir;
    Mode mode = Mode::Centred;
    std::optional<int32_t> left;
    std::optional<int32_t> top;
    std::optional<int32_t> width;
    std::optional<int32_t> height;
};

// Reads Installdir, Savepos, Maximize, Left, Top, Width and Height from the user's key,
// creating it. The first value of the wrong type ends the reading: what was applied before it
// stays, and the user's Installdir counts as absent. Without one, the installation folder is
// the machine's Installdir (an installation for every user writes it), else the current
// directory.
StartupPlacement readStartupPlacement(Registry& registry, const FileSystem& files);

struct WindowBounds {
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
};

// Stores the window's state at closing, whatever Savepos says. The first failed write ends
// the writing silently.
void writeClosingPlacement(Registry& registry, bool maximized, const WindowBounds& bounds);

} // namespace dustbane
