#pragma once

#include "engine/deletion.h"
#include "targets/clean_target.h"

namespace dustbane {

// One target's stage of a clean run: its stop and setting tests, its progress step, its
// heading and its folders, or its special step. All deletions are permanent.
void runTarget(Deletion& deletion, const CleanTarget& target);

} // namespace dustbane
