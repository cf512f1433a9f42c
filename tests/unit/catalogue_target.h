#pragma once

#include "targets/target_catalogue.h"
#include "targets/target_run.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace dustbane::testing {

// Runs the catalogue's stage for the target enabled by the named flag.
inline void runCatalogueTarget(Deletion& deletion, const char* valueName) {
    const TargetCatalogue& catalogue = targetCatalogue();
    auto target = std::find_if(catalogue.begin(), catalogue.end(), [&](const CleanTarget& t) {
        return std::strcmp(t.setting.flag.name, valueName) == 0;
    });
    if (target == catalogue.end()) {
        throw std::invalid_argument(valueName);
    }
    runTarget(deletion, *target);
}

// All the catalogue's stages in order, as a clean run takes them.
inline void runCatalogueStages(Deletion& deletion) {
    for (const CleanStage& stage : stagesOf(targetCatalogue())) {
        stage(deletion);
    }
}

} // namespace dustbane::testing
