#pragma once

#include "engine/deletion.h"

namespace dustbane {

// Stages 1 to 10 of a clean run, the Windows and application locations, each in its stage
// frame (message pass, stop test, setting test, progress step). All deletions permanent.
void runTargetStages(Deletion& deletion);

} // namespace dustbane
