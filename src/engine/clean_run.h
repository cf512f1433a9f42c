#pragma once

#include <string>

namespace dustbane {

// The state of the clean run, reset at the start of every run (rootFolder excepted); what the
// window shows of it is in the run model.
struct CleanRun {
    bool stopRequested = false;
    bool recycleAllowed = false;
    bool listEachItem = false;
    std::string rootFolder;
};

} // namespace dustbane
