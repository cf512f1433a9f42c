#pragma once

#include "engine/deletion.h"
#include "settings/clean_settings.h"

#include <cstdint>
#include <string>

namespace dustbane {

// The file rules of the search-path scan, in the order they are tested.
enum class FileRule {
    None,
    ThumbsDb,
    TildeName,
    ZeroSize,
    ListedName,
    TildeExtension,
    OldExtension,
    LogExtension,
    ListedExtension,
};

// The first rule that selects a file of this name and size under the settings.
FileRule selectingRule(const CleanSettings& settings, const std::string& name, uint64_t size);

// The extension after the last dot, ASCII letters lower-cased; "" when there is none.
std::string lowerExtension(const std::string& name);

// Stage 13: every checked search path in list order, each under a "Began Search" line.
void cleanSearchPaths(Deletion& deletion);

// Scans one folder tree depth first, deleting selected files and, with Empfolder, the
// subfolders found empty. True when the folder had nothing but dot names or does not exist;
// false when it had entries, is excluded or the scan was stopped inside it.
bool scanSearchPath(Deletion& deletion, const std::string& path);

} // namespace dustbane
