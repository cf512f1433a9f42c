#include "targets/target_stages.h"

namespace dustbane {

void runTargetStages(Deletion&) {}

} // namespace dustbane
