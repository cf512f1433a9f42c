#pragma once

#include "platform/shell.h"

#include <string>

namespace dustbane {

// The Windows folder of one run: dir ends with a backslash (C:\Windows\), drive is its
// first three characters (C:\). Both are empty when the system does not tell the folder.
struct WindowsFolder {
    std::string dir;
    std::string drive;
};

WindowsFolder windowsFolderOf(const Shell& shell);

} // namespace dustbane
