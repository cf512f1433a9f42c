#pragma once

#include "engine/deletion.h"

namespace dustbane {

// Stage 11: empties every checked, existing folder of FolderList (and removes it too with
// Delfolder), each between an opening and a closing line.
void cleanSpecificFolders(Deletion& deletion);

// Stage 12: deletes every checked, existing file of FileList, one line each.
void cleanSpecificFiles(Deletion& deletion);

} // namespace dustbane
