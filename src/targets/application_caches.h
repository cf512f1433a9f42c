#pragma once

#include "engine/deletion.h"

namespace dustbane {

// The application stages of a clean run, each in its stage frame. Deletions are permanent.
void cleanFirefoxCaches(Deletion& deletion);
void cleanAcdseeDatabases(Deletion& deletion);
void cleanGoogleEarthCache(Deletion& deletion);
void cleanAcrobatSearchCache(Deletion& deletion);

} // namespace dustbane
