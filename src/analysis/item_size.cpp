#include "analysis/item_size.h"

#include "engine/deletion.h"

namespace dustbane {

std::string itemPath(const std::string& path) {
    std::string trimmed = path;
    while (trimmed.size() > 3 && trimmed.back() == '\\') {
        trimmed.pop_back();
    }
    return trimmed;
}

uint64_t treeSize(FileSystem& files, const std::string& folder) {
    auto listing = files.list(folder);
    if (!listing) {
        return 0;
    }
    const std::string dir = withBackslash(folder);
    uint64_t total = 0;
    DirectoryEntry entry;
    while (listing->next(entry)) {
        if (entry.name == "." || entry.name == "..") {
            continue;
        }
        if (!entry.isDirectory()) {
            total += entry.size;
        } else if (!entry.isLink()) {
            total += treeSize(files, dir + entry.name);
        }
    }
    return total;
}

uint64_t itemSize(FileSystem& files, const std::string& path) {
    const std::optional<uint32_t> found = files.attributesOf(path);
    if (!found) {
        return 0;
    }
    const bool folder = (*found & attributes::directory) != 0;
    const bool link = (*found & attributes::reparsePoint) != 0;
    if (folder && !link) {
        return treeSize(files, path);
    }
    return folder ? 0 : files.fileSize(path).value_or(0);
}

} // namespace dustbane
