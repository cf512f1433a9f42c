#pragma once

#include "engine/clean_run.h"
#include "platform/platform.h"
#include "platform/window_operations.h"
#include "settings/clean_settings.h"
#include "settings/policy.h"
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
    // The administrator's policies as the settings were loaded with them; none in a run made
    // without the settings store.
    const Policy* policy = nullptr;
};

// Whether the administrator forbids cleaning at a root the settings name.
inline bool forbiddenRoot(const RunContext& context, const std::string& path) {
    return context.policy && context.policy->forbids(path, context.platform.files);
}

} // namespace dustbane
