#pragma once

#include "paths/canonical_path.h"
#include "platform/file_system.h"
#include "platform/registry.h"
#include "settings/clean_settings.h"
#include "settings/target_setting.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace dustbane {

// Where Group Policy stores Dustbane's policies, under HKLM for the machine and under HKCU for
// the user.
inline constexpr const char* policyKeyPath = "Software\\Policies\\Quillfen\\Cleaner";

// What the administrator set: each entry wins over the user's setting wherever Dustbane reads
// it. Empty when no policy is configured.
struct Policy {
    // Forced flags by registry name: the cleaning targets, Recycle, Agelimit and Logs.
    std::map<std::string, bool> flags;
    std::optional<int32_t> Agehours;
    std::optional<int32_t> Logday;
    // Fixed lists that replace the user's.
    std::optional<CheckedPathList> PathList;
    std::optional<CheckedPathList> FolderList;
    // Canonical folders no search path, folder or file to delete may lie in.
    std::vector<std::string> ForbiddenPaths;
    bool contextMenuAllowed = true;
    bool cleanAllowed = true;
    // The full names of values that were ignored for their type or range, each once.
    std::vector<std::string> ignoredValues;

    // Whether the named setting (a flag's registry name, "Agehours", "Logday", "PathList",
    // "FolderList", "Schedule") is set by policy, so that the user cannot change it.
    bool locks(const std::string& settingName) const;
    // Whether any policy is configured: then the settings count as saved.
    bool configured() const;
    // Whether a path lies in, or is, a forbidden folder, judged by its canonical text and, where
    // it exists, by the path the system reaches it by, as the protected folders are.
    bool forbids(const std::string& path, const FileSystem& files) const;
    // The same by the canonical text alone, for the folders a scan reaches by listing.
    bool forbidsListed(const std::string& canonical) const;

  private:
    friend Policy readPolicy(Registry& registry, const TargetSettings& targets);
    std::vector<PathKey> forbiddenKeys_;
};

// Reads the machine's and the user's policies; per value the machine's wins. A value of the
// wrong type or out of range counts as not set there and is named in ignoredValues.
Policy readPolicy(Registry& registry, const TargetSettings& targets);

// Puts the policy's values into the record, over the user's.
void applyPolicy(const Policy& policy, CleanSettings& settings, const TargetSettings& targets);

// Every value and list subkey a policy may set, for the check against the templates.
std::vector<std::string> policyValueNames(const TargetSettings& targets);

} // namespace dustbane
