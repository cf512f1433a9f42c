#pragma once

#include "engine/deletion.h"
#include "targets/clean_target.h"

namespace dustbane {

// The special steps of the targets whose folders other programs name in the registry.
// Deletions are permanent.
void cleanAcdseeDatabases(Deletion& deletion, const CleanTarget& target);
void cleanGoogleEarthCache(Deletion& deletion, const CleanTarget& target);

} // namespace dustbane
