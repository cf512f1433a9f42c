#include "settings/window_placement.h"

#include "settings/settings_store.h"

#include <utility>

namespace dustbane {

namespace {

// Reads values one after another until the first one of the wrong type.
class PlacementReader {
  public:
    explicit PlacementReader(const RegistryKey& key) : key_(key) {}

    bool failed() const { return failed_; }
    bool exists(const char* name) const { return !failed_ && key_.valueExists(name); }

    std::optional<std::string> text(const char* name) {
        if (!exists(name)) {
            return std::nullopt;
        }
        auto value = key_.readString(name);
        failed_ = !value;
        return value;
    }

    std::optional<int32_t> number(const char* name) {
        if (!exists(name)) {
            return std::nullopt;
        }
        auto value = key_.readInt(name);
        failed_ = !value;
        return value;
    }

    std::optional<bool> flag(const char* name) {
        auto value = number(name);
        return value ? std::optional<bool>(*value != 0) : std::nullopt;
    }

  private:
    const RegistryKey& key_;
    bool failed_ = false;
};

// The placement values after Installdir, which the caller reads first.
void readInto(PlacementReader& reader, StartupPlacement& placement) {
    bool savePosition = reader.flag("Savepos").value_or(true);
    if (!savePosition || !reader.exists("Maximize")) {
        return;
    }
    auto maximize = reader.flag("Maximize");
    if (!maximize) {
        return;
    }
    if (*maximize) {
        placement.mode = StartupPlacement::Mode::Maximized;
        return;
    }
    placement.mode = StartupPlacement::Mode::Stored;
    placement.left = reader.number("Left");
    placement.top = reader.number("Top");
    placement.width = reader.number("Width");
    placement.height = reader.number("Height");
}

// The folder an installation for every user wrote (an MSI deployment); a value of another
// type counts as none. Only read: the machine's key is the administrator's.
std::optional<std::string> machineInstallDir(Registry& registry) {
    auto key = registry.open(RegistryRoot::LocalMachine, settingsKeyPath, false);
    return key ? key->readString("Installdir") : std::nullopt;
}

} // namespace

StartupPlacement readStartupPlacement(Registry& registry, const FileSystem& files) {
    StartupPlacement placement;
    std::optional<std::string> folder;
    if (auto key = registry.open(RegistryRoot::CurrentUser, settingsKeyPath, true)) {
        PlacementReader reader(*key);
        folder = reader.text("Installdir");
        readInto(reader, placement);
        if (reader.failed()) {
            folder.reset();
        }
    }
    if (!folder) {
        folder = machineInstallDir(registry);
    }
    placement.installDir = folder.value_or(files.currentDirectory());
    if (placement.installDir.empty() || placement.installDir.back() != '\\') {
        placement.installDir += '\\';
    }
    return placement;
}

void writeClosingPlacement(Registry& registry, bool maximized, const WindowBounds& bounds) {
    auto key = registry.open(RegistryRoot::CurrentUser, settingsKeyPath, true);
    if (!key) {
        return;
    }
    if (maximized) {
        key->writeInt("Maximize", 1);
        return;
    }
    const std::pair<const char*, int32_t> values[] = {{"Maximize", 0},
                                                      {"Left", bounds.left},
                                                      {"Top", bounds.top},
                                                      {"Width", bounds.width},
                                                      {"Height", bounds.height}};
    for (const auto& [name, value] : values) {
        if (!key->writeInt(name, value)) {
            return;
        }
    }
}

} // namespace dustbane
