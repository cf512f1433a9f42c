#pragma once

#include <map>
#include <string>
#include <vector>

namespace dustbane::e2e {

// What one program of the user keeps in the profile.
struct UserProgram {
    // The folders a clean empties and keeps.
    std::vector<std::string> cacheFolders;
    // What lies directly in them, each entry with everything below it.
    std::vector<std::string> cacheEntries;
    // The user's own files beside the caches, which no clean may touch.
    std::vector<std::string> userFiles;
};

// A Windows 11 user as a machine of today has one: Chrome with two profiles and its shared
// shader caches, Edge, Firefox with two profiles (caches local, the user's data roaming),
// Discord, the DirectX shader cache and programs' crash dumps. Keyed by "Chrome", "Edge",
// "Firefox", "Discord", "DirectX" and "CrashDumps".
using WindowsUser = std::map<std::string, UserProgram>;

// Builds that user in the current user's profile, in the folders the shell gives as known
// folders; throws when a folder or file cannot be made.
WindowsUser buildWindowsUser();

// The value names of every target of the "Browsers and apps" page.
const std::vector<std::string>& appTargetSettings();

// Every cache entry of the given programs (all when none are named).
std::vector<std::string> cacheEntriesOf(const WindowsUser& user,
                                        const std::vector<std::string>& programs = {});

} // namespace dustbane::e2e
