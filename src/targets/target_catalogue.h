#pragma once

#include "engine/clean_stages.h"
#include "settings/target_setting.h"
#include "targets/clean_target.h"

namespace dustbane {

// The fixed locations a clean run empties, one entry each, in the order they run.
const TargetCatalogue& targetCatalogue();

// One stage per entry, for the clean driver.
CleanStages stagesOf(const TargetCatalogue& catalogue);

// The entries' flags and check boxes, for the settings store, the summary and the options.
TargetSettings settingsOf(const TargetCatalogue& catalogue);

} // namespace dustbane
