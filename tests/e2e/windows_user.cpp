#include "windows_user.h"

#include "driver/files.h"
#include "platform/win32/text.h"

#include <initializer_list>
#include <shlobj.h>
#include <stdexcept>
#include <windows.h>

namespace dustbane::e2e {
namespace {

// The known folder as the shell resolves it for this user, without a trailing backslash.
std::string knownFolder(REFKNOWNFOLDERID id) {
    PWSTR path = nullptr;
    const HRESULT result = SHGetKnownFolderPath(id, KF_FLAG_CREATE, nullptr, &path);
    const std::string folder = SUCCEEDED(result) ? win32::narrow(path) : std::string();
    CoTaskMemFree(path);
    if (folder.empty()) {
        throw std::runtime_error("no known folder for the user");
    }
    return folder;
}

// Each file holds bytes of its own, so a file swapped for another shows in a comparison.
void plant(const std::string& path) {
    writeFile(path, "contents of " + path + "\n" + std::string(path.size() * 7 % 4096, 'x'));
    if (!fileExists(path)) {
        throw std::runtime_error("cannot make " + path);
    }
}

// A cache folder with its entries: files directly in it, or paths below it whose first
// folder is the entry.
void addCache(UserProgram& program, const std::string& folder,
              std::initializer_list<const char*> files) {
    createDirectories(folder);
    program.cacheFolders.push_back(folder);
    for (const char* file : files) {
        const std::string relative = file;
        plant(folder + "\\" + relative);
        const std::string entry = folder + "\\" + relative.substr(0, relative.find('\\'));
        if (program.cacheEntries.empty() || program.cacheEntries.back() != entry) {
            program.cacheEntries.push_back(entry);
        }
    }
}

void addUserFiles(UserProgram& program, const std::string& folder,
                  std::initializer_list<const char*> files) {
    for (const char* file : files) {
        plant(folder + "\\" + file);
        program.userFiles.push_back(folder + "\\" + file);
    }
}

// A Chromium profile: the three caches a browser fills most and the user's data beside them.
void addChromiumProfile(UserProgram& browser, const std::string& profile) {
    addCache(
        browser, profile + "\\Cache",
        {"Cache_Data\\index", "Cache_Data\\data_0", "Cache_Data\\data_1", "Cache_Data\\f_000001"});
    addCache(browser, profile + "\\Code Cache",
             {"js\\index", "js\\0a1b2c3d4e5f_0", "wasm\\index", "wasm\\index-dir\\the-real-index"});
    addCache(browser, profile + "\\GPUCache", {"data_0", "data_1", "index"});
    addUserFiles(browser, profile,
                 {"Cookies", "History", "Bookmarks", "Preferences", "Login Data",
                  "Local Storage\\leveldb\\x.log", "Local Storage\\leveldb\\CURRENT"});
}

UserProgram chrome(const std::string& local) {
    const std::string userData = local + "\\Google\\Chrome\\User Data";
    UserProgram chrome;
    addChromiumProfile(chrome, userData + "\\Default");
    addChromiumProfile(chrome, userData + "\\Profile 1");
    addCache(chrome, userData + "\\ShaderCache", {"data_0", "index"});
    addCache(chrome, userData + "\\GrShaderCache", {"data_0", "data_1", "index"});
    addUserFiles(chrome, userData, {"Local State", "First Run"});
    return chrome;
}

UserProgram edge(const std::string& local) {
    UserProgram edge;
    addChromiumProfile(edge, local + "\\Microsoft\\Edge\\User Data\\Default");
    addUserFiles(edge, local + "\\Microsoft\\Edge\\User Data", {"Local State"});
    return edge;
}

// The caches in the local profile folders, the user's data in the roaming ones of the same
// names.
UserProgram firefox(const std::string& local, const std::string& roaming) {
    UserProgram firefox;
    for (const char* name : {"k3x9a2b1.default-release", "p7q4m8z2.default"}) {
        const std::string profile = std::string("\\Mozilla\\Firefox\\Profiles\\") + name;
        addCache(firefox, local + profile + "\\cache2",
                 {"entries\\0A1B2C3D4E5F60718293A4B5C6D7E8F901234567",
                  "entries\\FEDCBA98765432100123456789ABCDEF01234567", "doomed\\1", "index",
                  "ce_types"});
        addCache(firefox, local + profile + "\\startupCache",
                 {"startupCache.8.little", "scriptCache-current.bin"});
        addUserFiles(firefox, roaming + profile,
                     {"places.sqlite", "logins.json", "cookies.sqlite", "key4.db", "prefs.js"});
    }
    addUserFiles(firefox, roaming + "\\Mozilla\\Firefox", {"profiles.ini", "installs.ini"});
    return firefox;
}

UserProgram discord(const std::string& roaming) {
    const std::string folder = roaming + "\\discord";
    UserProgram discord;
    addCache(discord, folder + "\\Cache", {"Cache_Data\\index", "Cache_Data\\data_0"});
    addCache(discord, folder + "\\Code Cache", {"js\\index", "js\\5e6f7a8b_0"});
    addCache(discord, folder + "\\GPUCache", {"data_0", "index"});
    addUserFiles(discord, folder, {"settings.json", "Local Storage\\leveldb\\000003.log"});
    return discord;
}

UserProgram directX(const std::string& local) {
    UserProgram directX;
    addCache(directX, local + "\\D3DSCache",
             {"7f2e1c3a9b8d4e5f\\AMD64.idx", "7f2e1c3a9b8d4e5f\\AMD64.val",
              "7f2e1c3a9b8d4e5f\\AMD64.lock"});
    return directX;
}

UserProgram crashDumps(const std::string& local) {
    UserProgram dumps;
    addCache(dumps, local + "\\CrashDumps", {"explorer.exe.4312.dmp", "Discord.exe.9120.dmp"});
    return dumps;
}

} // namespace

WindowsUser buildWindowsUser() {
    const std::string local = knownFolder(FOLDERID_LocalAppData);
    const std::string roaming = knownFolder(FOLDERID_RoamingAppData);
    return {
        {"Chrome", chrome(local)},
        {"Edge", edge(local)},
        {"Firefox", firefox(local, roaming)},
        {"Discord", discord(roaming)},
        {"DirectX", directX(local)},
        {"CrashDumps", crashDumps(local)},
    };
}

const std::vector<std::string>& appTargetSettings() {
    static const std::vector<std::string> names = {
        "ChromeCache",          "EdgeCache",       "BraveCache",         "VivaldiCache",
        "OperaCache",           "FirefoxCache2",   "TeamsCache",         "DiscordCache",
        "SlackCache",           "VSCodeCache",     "DirectXShaderCache", "CrashDumps",
        "NvidiaShaderCache",    "AmdShaderCache",  "IntelShaderCache",   "WindowsTempFolder",
        "DeliveryOptimization", "SystemCrashDumps"};
    return names;
}

std::vector<std::string> cacheEntriesOf(const WindowsUser& user,
                                        const std::vector<std::string>& programs) {
    std::vector<std::string> entries;
    for (const auto& [name, program] : user) {
        bool wanted = programs.empty();
        for (const std::string& named : programs) {
            wanted = wanted || named == name;
        }
        if (wanted) {
            entries.insert(entries.end(), program.cacheEntries.begin(), program.cacheEntries.end());
        }
    }
    return entries;
}

} // namespace dustbane::e2e
