#include "cli/measuring_ports.h"

#include "analysis/item_size.h"

namespace dustbane {

bool MeasuringFileSystem::deleteFile(const std::string& path) {
    const uint64_t size = inner().fileSize(path).value_or(0);
    if (!inner().deleteFile(path)) {
        record_.addFailure();
        return false;
    }
    record_.addItem({itemPath(path), false, size, false});
    return true;
}

bool MeasuringFileSystem::removeDirectory(const std::string& path) {
    if (!inner().removeDirectory(path)) {
        record_.addFailure();
        return false;
    }
    record_.addRemovedFolder(itemPath(path));
    return true;
}

int MeasuringShell::recycleItem(const std::string& path) {
    const std::optional<uint32_t> found = files_.attributesOf(path);
    const bool folder = found && (*found & attributes::directory) != 0;
    const uint64_t size = itemSize(files_, path);
    const int result = ForwardingShell::recycleItem(path);
    if (result == 0) {
        record_.addItem({itemPath(path), folder, size, true});
        return result;
    }
    record_.addFailure();
    // A folder move that fails part-way has still moved some of it: those bytes are in the
    // Recycle Bin now.
    const uint64_t left = folder ? itemSize(files_, path) : size;
    if (left < size) {
        record_.addItem({itemPath(path), folder, size - left, true});
    }
    return result;
}

} // namespace dustbane
