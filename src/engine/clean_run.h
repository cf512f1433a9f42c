#pragma once

#include <cstdint>
#include <string>

namespace dustbane {

// The state of the clean run, reset at the start of every run (rootFolder excepted).
struct CleanRun {
    bool stopRequested = false;
    bool recycleAllowed = false;
    bool listEachItem = false;
    int32_t deletedCount = 0;
    int32_t elapsedSeconds = 0;
    std::string rootFolder;
};

} // namespace dustbane
