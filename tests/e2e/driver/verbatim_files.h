#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>
#include <windows.h>

namespace dustbane::e2e {

// Files made and read through \\?\ paths. A plain path loses a trailing dot or space and so
// names the twin without it ("abc." is "abc"), and stops at 260 characters; a scenario that
// plants or inspects such names must reach them this way, or it tests the wrong item.

std::wstring verbatimPath(const std::string& path);
// Creates the folder and the missing folders above it.
void makeVerbatimFolders(const std::string& path);
// Creates a new file (failing when it exists) with the missing folders above it. Throws when
// anything fails, so a scenario never runs on a tree it did not get.
void makeVerbatimFile(const std::string& path, const std::string& bytes, DWORD attributes = 0);
// Nothing when the file cannot be opened.
std::optional<std::string> readVerbatim(const std::string& path);
bool verbatimExists(const std::string& path);

// One item of a tree as a walk through \\?\ paths sees it.
struct SeenItem {
    bool folder = false;
    DWORD attributes = 0; // without the archive bit, which any write sets
    uint64_t size = 0;
    // A file's contents (hashed) or its time of last change (listed); a link's target.
    uint64_t stamp = 0;
    bool operator==(const SeenItem&) const = default;
};

// Full path -> item, for every file and folder below a folder; links are recorded, not entered.
using TreeSnapshot = std::map<std::string, SeenItem>;

enum class FileStamp {
    Hashed, // every byte read: a change that keeps the size and time shows too
    Listed, // size and time of last change only, as the folder lists them: cheap for a drive
};

TreeSnapshot snapshotTree(const std::string& folder, FileStamp stamp);
// The snapshot without the given items and everything below them.
TreeSnapshot without(TreeSnapshot snapshot, const std::vector<std::string>& gone);
// The bytes an item stands for in the snapshot: a file's size, or the sizes of every file below
// a folder.
uint64_t bytesOf(const TreeSnapshot& snapshot, const std::string& path);
// "gone: <path>", "changed: <path>", "added: <path>", one a difference, in path order; empty
// when the two agree.
std::vector<std::string> treeDifferences(const TreeSnapshot& expected, const TreeSnapshot& actual);

} // namespace dustbane::e2e
