#include "targets/application_caches.h"

#include "paths/canonical_path.h"
#include "targets/stage_frame.h"

#include <optional>
#include <string>

namespace dustbane {

namespace {

const std::string acdseeKey = "Software\\ACD Systems\\ACDSee\\";
const std::string acdseeDatabaseValue = "DBPath";
const std::string googleEarthKey = "\\Software\\Google\\Google Earth Plus";
const std::string googleEarthCacheValue = "CachePath";
const std::string googleEarthCacheFile = "dbCache.dat";

// A string value that must be there. nullopt when it is missing; a value of another type
// is a registry failure, which ends the stage that reads it.
struct RequiredString {
    std::optional<std::string> text;
    bool failed = false;
};

RequiredString readRequiredString(const RegistryKey& key, const std::string& name) {
    if (!key.valueExists(name)) {
        return {};
    }
    auto text = key.readString(name);
    return {text, !text};
}

// A folder named by another program's registry value, in canonical form, when it exists and
// may be cleaned; a folder that exists and may not gets its warning line.
std::optional<std::string> foreignFolder(Deletion& deletion, const std::string& value) {
    const std::optional<std::string> folder = canonicalPath(value);
    if (value.empty() || (folder && !deletion.context().platform.files.directoryExists(*folder))) {
        return std::nullopt;
    }
    if (!folder || !deletion.protectedFolders().acceptsForeignFolder(*folder)) {
        deletion.refuseFolder(folder.value_or(value));
        return std::nullopt;
    }
    return folder;
}

} // namespace

void cleanAcdseeDatabases(Deletion& deletion, const CleanTarget& target) {
    RunContext& context = deletion.context();
    Registry& registry = context.platform.registry;
    const auto versions = registry.open(RegistryRoot::CurrentUser, acdseeKey, false);
    if (!versions) {
        return;
    }
    for (const std::string& name : versions->subkeyNames()) {
        const auto version = registry.open(RegistryRoot::CurrentUser, acdseeKey + name, false);
        if (!version) {
            continue;
        }
        const RequiredString database = readRequiredString(*version, acdseeDatabaseValue);
        if (database.failed) {
            return;
        }
        if (!database.text) {
            continue;
        }
        const std::optional<std::string> folder = foreignFolder(deletion, *database.text);
        if (!folder || !enterRootFolder(deletion, *folder)) {
            continue;
        }
        addCaptionLine(deletion, target.setting.flag);
        if (deletion.cleanFolder(*folder) && context.settings.Display) {
            deletion.addResultLine(*folder, LineImage::FolderRemoved);
        }
    }
}

void cleanGoogleEarthCache(Deletion& deletion, const CleanTarget& target) {
    Platform& platform = deletion.context().platform;
    // Opened with create, as the program always has: the key stays behind, empty.
    const auto key = platform.registry.open(RegistryRoot::CurrentUser, googleEarthKey, true);
    if (!key) {
        return;
    }
    const RequiredString cache = readRequiredString(*key, googleEarthCacheValue);
    if (!cache.text || cache.text->empty()) {
        return;
    }
    const std::optional<std::string> folder = foreignFolder(deletion, *cache.text);
    if (!folder) {
        return;
    }
    const std::string file = withBackslash(*folder) + googleEarthCacheFile;
    const std::optional<DirectoryEntry> cacheFile = platform.files.entryOf(file);
    // Attributes stay as they are, so a read-only cache file is kept.
    if (cacheFile && !cacheFile->isDirectory() && !deletion.keptByAge(*cacheFile) &&
        platform.files.deleteFile(file)) {
        // The window's count has never included this file, but the bytes it frees are real.
        deletion.context().run.ledger.deleted({file, cacheFile->size, false, false});
        addCaptionLine(deletion, target.setting.flag);
    }
}

} // namespace dustbane
