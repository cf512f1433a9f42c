#pragma once

#include "engine/deletion.h"
#include "platform/shell.h"

#include <string>

namespace dustbane {

// The Windows folder of one run: dir ends with a backslash (C:\Windows\), drive is its
// first three characters (C:\). Both are empty when the system does not tell the folder.
struct WindowsFolder {
    std::string dir;
    std::string drive;
};

WindowsFolder windowsFolderOf(const Shell& shell);

// The Windows stages of a clean run, each in its stage frame. Deletions are permanent.
void cleanTempFolder(Deletion& deletion);
void cleanInternetCache(Deletion& deletion);
void cleanErrorReports(Deletion& deletion, const WindowsFolder& windows);
void cleanThumbnailCache(Deletion& deletion);
void cleanHotfixLeftovers(Deletion& deletion, const WindowsFolder& windows);
void cleanWdiFiles(Deletion& deletion, const WindowsFolder& windows);

} // namespace dustbane
