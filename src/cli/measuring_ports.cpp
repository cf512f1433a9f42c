#include "cli/measuring_ports.h"

#include "cli/item_size.h"

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
    record_.addItem({itemPath(path), true, 0, false});
    return true;
}

int MeasuringShell::deleteItem(const std::string& path, bool toRecycleBin) {
    const std::optional<uint32_t> found = files_.attributesOf(path);
    const bool folder = found && (*found & attributes::directory) != 0;
    const uint64_t size = itemSize(files_, path);
    const int result = ForwardingShell::deleteItem(path, toRecycleBin);
    if (result != 0) {
        record_.addFailure();
        return result;
    }
    record_.addItem({itemPath(path), folder, size, toRecycleBin});
    return result;
}

} // namespace dustbane
