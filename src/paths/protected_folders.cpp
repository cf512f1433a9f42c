#include "paths/protected_folders.h"

#include <algorithm>
#include <optional>

namespace dustbane {

namespace {

const PathKey appDataName = U"appdata";

// The key of a folder the system named; empty when it named none.
PathKey keyOf(const std::string& folder) {
    const std::optional<std::string> canonical = canonicalPath(folder);
    return canonical ? pathKey(*canonical) : PathKey();
}

void addKey(std::vector<PathKey>& keys, const std::string& folder) {
    PathKey key = keyOf(folder);
    if (!key.empty()) {
        keys.push_back(std::move(key));
    }
}

bool holds(const std::vector<PathKey>& keys, const PathKey& key) {
    return std::find(keys.begin(), keys.end(), key) != keys.end();
}

std::string withFolder(const std::string& base, const std::string& name) {
    return base.empty() ? std::string() : base + "\\" + name;
}

} // namespace

ProtectedFolders::ProtectedFolders(const Shell& shell, const FileSystem& files) : files_(files) {
    const std::string windows = shell.windowsDirectory();
    addKey(fixed_, windows);
    addKey(fixed_, shell.specialFolder(SpecialFolder::System));
    addKey(fixed_, withFolder(windows, "System32"));
    for (SpecialFolder folder : {SpecialFolder::ProgramFiles, SpecialFolder::ProgramFilesX86,
                                 SpecialFolder::ProgramData}) {
        addKey(fixed_, shell.specialFolder(folder));
        addKey(programState_, shell.specialFolder(folder));
    }
    addKey(programState_, windows);
    for (SpecialFolder folder :
         {SpecialFolder::Desktop, SpecialFolder::Documents, SpecialFolder::Downloads,
          SpecialFolder::Pictures, SpecialFolder::Music, SpecialFolder::Videos,
          SpecialFolder::OneDrive}) {
        addKey(knownRoots_, shell.specialFolder(folder));
    }
    profile_ = keyOf(shell.specialFolder(SpecialFolder::Profile));
    programData_ = keyOf(shell.specialFolder(SpecialFolder::ProgramData));
    users_ = keyOf(shell.specialFolder(SpecialFolder::UserProfiles));
    if (users_.empty()) {
        users_ = parentKey(profile_);
    }
    if (!users_.empty()) {
        fixed_.push_back(users_);
    }
}

bool ProtectedFolders::isProfileKey(const PathKey& key) const {
    return (!profile_.empty() && key == profile_) || (!users_.empty() && parentKey(key) == users_);
}

bool ProtectedFolders::protectedKey(const PathKey& key) const {
    return isRootKey(key) || holds(fixed_, key) || isProfileKey(key);
}

std::vector<PathKey> ProtectedFolders::keysOf(const std::string& path) const {
    const std::optional<std::string> canonical = canonicalPath(path);
    if (!canonical) {
        return {};
    }
    std::vector<PathKey> keys{pathKey(*canonical)};
    const std::optional<std::string> final = files_.finalPath(*canonical);
    const std::optional<std::string> finalCanonical = final ? canonicalPath(*final) : std::nullopt;
    if (finalCanonical && pathKey(*finalCanonical) != keys.front()) {
        keys.push_back(pathKey(*finalCanonical));
    }
    return keys;
}

ProtectedFolders::Standing ProtectedFolders::standingOf(const std::string& path) const {
    const std::vector<PathKey> keys = keysOf(path);
    const auto any = [&keys](auto holdsFor) {
        return std::any_of(keys.begin(), keys.end(), holdsFor);
    };
    if (keys.empty() || any([this](const PathKey& key) { return protectedKey(key); })) {
        return Standing::Protected;
    }
    return any([this](const PathKey& key) { return holds(knownRoots_, key); })
               ? Standing::KnownFolderRoot
               : Standing::Ordinary;
}

bool ProtectedFolders::acceptsForeignFolder(const std::string& path) const {
    const std::vector<PathKey> keys = keysOf(path);
    return !keys.empty() && std::all_of(keys.begin(), keys.end(), [&](const PathKey& key) {
        return !protectedKey(key) && !holds(knownRoots_, key) &&
               (isBelowKey(key, profile_) || isBelowKey(key, programData_));
    });
}

bool ProtectedFolders::skippedBySearch(const std::string& path) const {
    const std::optional<std::string> canonical = canonicalPath(path);
    if (!canonical) {
        return false;
    }
    const PathKey key = pathKey(*canonical);
    const PathKey parent = parentKey(key);
    return holds(programState_, key) ||
           (!parent.empty() && key == parent + U"\\" + appDataName && isProfileKey(parent));
}

bool ProtectedFolders::searchSkipsBelow(const std::string& searchPath) const {
    const std::optional<std::string> canonical = canonicalPath(searchPath);
    if (!canonical) {
        return false;
    }
    const PathKey key = pathKey(*canonical);
    std::vector<PathKey> skipped = programState_;
    if (!profile_.empty()) {
        skipped.push_back(profile_ + U"\\" + appDataName);
    }
    // Every profile holds an AppData, and the Users folder holds every profile.
    if (isProfileKey(key) || (!users_.empty() && (key == users_ || isBelowKey(users_, key)))) {
        return true;
    }
    return std::any_of(skipped.begin(), skipped.end(),
                       [&](const PathKey& folder) { return isBelowKey(folder, key); });
}

} // namespace dustbane
