#pragma once

#include "platform/file_system.h"

#include <cstdint>
#include <string>

namespace dustbane {

// The bytes a deletion of the item frees: a file's size, a folder's files summed over
// everything below it. A link counts as itself and is never followed.
uint64_t itemSize(FileSystem& files, const std::string& path);

// The path as a deleted item is listed: without a trailing backslash unless it is a root.
std::string itemPath(const std::string& path);

// The bytes of everything below a folder, links not entered.
uint64_t treeSize(FileSystem& files, const std::string& folder);

} // namespace dustbane
