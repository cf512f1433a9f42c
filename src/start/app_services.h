#pragma once

#include "engine/clean_run.h"
#include "paths/protected_folders.h"
#include "platform/platform.h"
#include "platform/run_model.h"
#include "settings/clean_settings.h"
#include "settings/settings_store.h"
#include "settings/target_setting.h"
#include "targets/target_catalogue.h"
#include "text/language_table.h"

#include <string>

namespace dustbane {

// What lives for the whole program: the ports, the one live settings record, the language
// table, the installation folder, the state of the clean run and the model the window draws.
struct AppServices {
    explicit AppServices(Platform& ports)
        : platform(ports), targets(settingsOf(targetCatalogue())),
          store(ports.registry, ports.system, targets), folders(ports.shell, ports.files) {}

    Platform& platform;
    // The flags and check boxes of the cleaning targets, in the order they run.
    TargetSettings targets;
    CleanSettings settings;
    LanguageTable language;
    // Ends with a backslash.
    std::string installDir;
    SettingsStore store;
    CleanRun run;
    // What the main window shows.
    RunModel model;
    // Read at start, for the summary and the options dialog; a run reads its own.
    ProtectedFolders folders;
};

} // namespace dustbane
