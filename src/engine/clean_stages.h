#pragma once

#include "engine/deletion.h"

#include <functional>
#include <vector>

namespace dustbane {

// One stage a clean run takes before the user's own folders, files and search paths: the
// fixed locations come to the run as a list of these, in the order they run.
using CleanStage = std::function<void(Deletion&)>;
using CleanStages = std::vector<CleanStage>;

} // namespace dustbane
