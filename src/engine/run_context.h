#pragma once

#include "engine/clean_run.h"
#include "platform/platform.h"
#include "platform/window_operations.h"
#include "settings/clean_settings.h"
#include "text/language_table.h"

#include <string>

namespace dustbane {

// Everything a clean run works with. Settings are read live at each test, never copied.
struct RunContext {
    Platform& platform;
    CleanSettings& settings;
    const LanguageTable& language;
    WindowOperations& window;
    RunModel& model;
    CleanRun& run;
    // The installation folder, ending with a backslash.
    std::string installDir;
};

} // namespace dustbane
