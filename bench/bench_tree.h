#pragma once

#include <cstdint>
#include <string>

namespace dustbane::bench {

// A tree of folders * filesPerFolder empty files, two levels deep, of which every folder
// holds the same share that the scan's rules (and the del patterns) select.
struct TreeShape {
    int topFolders = 20;
    int subfoldersEach = 50;
    int filesPerFolder = 100;
};

struct TreeCounts {
    uint64_t files = 0;
    uint64_t folders = 0;
};

// The names in each folder that the rules select: *.tmp, *.bak, *.log, ~*, Thumbs.db.
int matchingPerFolder();

// Creates the tree below root (which must not exist); false when a file cannot be created.
bool generateTree(const std::string& root, const TreeShape& shape);

// A bare FindFirstFileExW walk of everything below root.
TreeCounts enumerateTree(const std::string& root);

// Deletes root and everything below it.
void removeTree(const std::string& root);

} // namespace dustbane::bench
