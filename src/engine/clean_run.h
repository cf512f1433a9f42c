#pragma once

#include "engine/run_ledger.h"
#include "platform/file_time.h"

#include <optional>
#include <string>

namespace dustbane {

// The state of the clean run, reset at the start of every run (rootFolder excepted); what the
// window shows of it is in the run model.
struct CleanRun {
    bool stopRequested = false;
    bool recycleAllowed = false;
    bool listEachItem = false;
    std::string rootFolder;
    // Under the age limit, a file written or created at or after this time stays.
    std::optional<FileTime> keepFrom;
    // What the run deleted and what stayed, item by item.
    RunLedger ledger;
};

} // namespace dustbane
