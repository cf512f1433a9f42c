#include "targets/application_caches.h"

#include "paths/canonical_path.h"
#include "targets/stage_frame.h"

#include <optional>
#include <string>

namespace dustbane {

namespace {

const std::string firefoxProfiles = "Mozilla\\Firefox\\Profiles";
const std::string firefoxCacheName = "Cache";
const std::string acdseeKey = "Software\\ACD Systems\\ACDSee\\";
const std::string acdseeDatabaseValue = "DBPath";
const std::string googleEarthKey = "\\Software\\Google\\Google Earth Plus";
const std::string googleEarthCacheValue = "CachePath";
const std::string googleEarthCacheFile = "dbCache.dat";
const std::string acrobatSearchCache = "Adobe\\Acrobat\\8.0\\Cache\\Search80";

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

// Empties every folder named "Cache" below the profiles folder; no line, no file matched.
void cleanProfileCaches(Deletion& deletion, const std::string& profiles) {
    deletion.cleanNamedSubfolders(profiles, firefoxCacheName, "");
}

} // namespace

void cleanFirefoxCaches(Deletion& deletion) {
    constexpr StageSetting setting = &CleanSettings::Firefox;
    if (!beginStage(deletion, StageEntry::AfterPump, setting)) {
        return;
    }
    const std::string local =
        underSpecialFolder(deletion, SpecialFolder::LocalAppData, firefoxProfiles);
    // Without local profiles the roaming ones are not visited either.
    if (local.empty() || !enterRootFolder(deletion, local)) {
        return;
    }
    addCaptionLine(deletion, setting);
    cleanProfileCaches(deletion, local);

    const std::string roaming =
        underSpecialFolder(deletion, SpecialFolder::RoamingAppData, firefoxProfiles);
    if (!roaming.empty() && enterRootFolder(deletion, roaming)) {
        cleanProfileCaches(deletion, roaming);
    }
}

void cleanAcdseeDatabases(Deletion& deletion) {
    constexpr StageSetting setting = &CleanSettings::Acdsee;
    if (!beginStage(deletion, StageEntry::AfterPump, setting)) {
        return;
    }
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
        addCaptionLine(deletion, setting);
        if (deletion.cleanFolder(*folder) && context.settings.Display) {
            deletion.addResultLine(*folder, LineImage::FolderRemoved);
        }
    }
}

void cleanGoogleEarthCache(Deletion& deletion) {
    constexpr StageSetting setting = &CleanSettings::GoogleEarth;
    if (!beginStage(deletion, StageEntry::WithoutPump, setting)) {
        return;
    }
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
    // Attributes stay as they are, so a read-only cache file is kept.
    if (platform.files.fileExists(file) && platform.files.deleteFile(file)) {
        addCaptionLine(deletion, setting);
    }
}

void cleanAcrobatSearchCache(Deletion& deletion) {
    constexpr StageSetting setting = &CleanSettings::Acrobatreader;
    if (!beginStage(deletion, StageEntry::AfterPump, setting)) {
        return;
    }
    const std::string folder =
        underSpecialFolder(deletion, SpecialFolder::LocalAppData, acrobatSearchCache);
    if (!folder.empty() && enterRootFolder(deletion, folder)) {
        addCaptionLine(deletion, setting);
        deletion.cleanFolder(folder);
    }
}

} // namespace dustbane
