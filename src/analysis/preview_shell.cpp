#include "analysis/preview_shell.h"

#include "engine/deletion.h"

namespace dustbane {

namespace {

// The shell's own result codes for the failures it would meet.
constexpr int missing = 2;
constexpr int sharingViolation = 32;

} // namespace

bool PreviewShell::treeHeld(const std::string& folder) {
    auto listing = files_.list(folder);
    if (!listing) {
        return false;
    }
    const std::string dir = withBackslash(folder);
    DirectoryEntry entry;
    while (listing->next(entry)) {
        if (entry.name == "." || entry.name == "..") {
            continue;
        }
        const std::string full = dir + entry.name;
        if (!files_.canDelete(full) || (entry.isDirectory() && !entry.isLink() && treeHeld(full))) {
            return true;
        }
    }
    return false;
}

int PreviewShell::recycleItem(const std::string& path) {
    const std::optional<uint32_t> found = files_.attributesNow(path);
    int result = 0;
    if (!found) {
        result = missing;
    } else if (!files_.canDelete(path)) {
        result = sharingViolation;
    } else if ((*found & attributes::directory) != 0) {
        if ((*found & attributes::reparsePoint) == 0 && files_.probesHeldFiles() &&
            treeHeld(path)) {
            result = sharingViolation;
        }
    }
    if (result != 0) {
        return result;
    }
    files_.markGone(path);
    return 0;
}

} // namespace dustbane
