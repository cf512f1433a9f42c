#pragma once

#include <cstdint>
#include <string>

namespace dustbane::bench {

// What the files of a generated folder are called.
enum class FileNames {
    // A share the scan's rules (and the del patterns) select: *.tmp, *.bak, *.log, ~*,
    // Thumbs.db; the rest plain *.dat files.
    Mixed,
    // Every file a *.tmp.
    AllTmp,
};

// A tree of folders * filesPerFolder empty files, two levels deep.
struct TreeShape {
    int topFolders = 20;
    int subfoldersEach = 50;
    int filesPerFolder = 100;
    FileNames names = FileNames::Mixed;

    uint64_t folders() const { return static_cast<uint64_t>(topFolders) * subfoldersEach; }
    uint64_t files() const { return folders() * static_cast<uint64_t>(filesPerFolder); }
};

struct TreeCounts {
    uint64_t files = 0;
    uint64_t folders = 0;
};

// Which files a timed deletion takes.
enum class Selection {
    // The names the rules select in a Mixed tree.
    Generated,
    Everything,
};

// The names in each Mixed folder that the rules select.
int matchingPerFolder();

// Creates the tree below root (which must not exist); false when a file cannot be created.
bool generateTree(const std::string& root, const TreeShape& shape);

// A bare FindFirstFileExW walk of everything below root.
TreeCounts enumerateTree(const std::string& root);

// The same walk calling DeleteFileW on each selected file and doing nothing else; answers
// how many went.
uint64_t deleteSelected(const std::string& root, Selection selection);

// Deletes root and everything below it.
void removeTree(const std::string& root);

// Each timed case starts from the same tree, new and with the caches warm: removes what is
// below root, generates the tree again and walks it once. Throws when it cannot.
void freshTree(const std::string& root, const TreeShape& shape);

} // namespace dustbane::bench
