#include "targets/target_catalogue.h"

#include "targets/application_caches.h"
#include "targets/target_run.h"

#include <utility>

namespace dustbane {

namespace {

TargetSetting windowsBox(bool CleanSettings::*field, int row, const char* hint = nullptr) {
    return {builtInFlag(field), TargetGroup::Windows, row, hint};
}

TargetSetting applicationBox(bool CleanSettings::*field, int row) {
    return {builtInFlag(field), TargetGroup::Applications, row};
}

TargetFolder belowLocalAppData(const char* relative) {
    return {.base = FolderBase::KnownFolder, .relative = relative};
}

// The cache folders of a Chromium profile, and those its user-data folder holds for all.
const std::vector<const char*> chromiumProfileCaches = {
    "Cache", "Code Cache", "GPUCache", "DawnCache", "DawnGraphiteCache", "DawnWebGPUCache"};
const std::vector<const char*> chromiumSharedCaches = {"ShaderCache", "GrShaderCache",
                                                       "GraphiteDawnCache"};
const std::vector<const char*> electronCaches = {"Cache", "Code Cache", "GPUCache"};

// The named folders directly below a known folder's relative path, in each of its profiles.
TargetFolder namedFolders(SpecialFolder known, const char* relative, std::vector<const char*> names,
                          Profiles profiles = Profiles::None) {
    return {.base = FolderBase::KnownFolder,
            .relative = relative,
            .knownFolder = known,
            .removal = Removal::NamedFolders,
            .profiles = profiles,
            .names = std::move(names)};
}

// A flag of its own, on for a first start unless off is asked for.
TargetSetting pageBox(const char* name, const char* caption, TargetGroup group, int row,
                      bool startValue = true) {
    return {{name, startValue, caption}, group, row};
}

CleanTarget chromiumBrowser(const char* name, const char* caption, int row, const char* userData,
                            const char* process) {
    return {
        .setting = pageBox(name, caption, TargetGroup::Browsers, row),
        .entry = StageEntry::AfterPump,
        .heading = Heading::WhenFound,
        .folders = {namedFolders(SpecialFolder::LocalAppData, userData, chromiumProfileCaches,
                                 Profiles::Chromium),
                    namedFolders(SpecialFolder::LocalAppData, userData, chromiumSharedCaches)},
        .process = process,
    };
}

// Opera keeps its one profile in two folders, roaming and local; the caches are in either.
CleanTarget operaBrowser(int row) {
    std::vector<const char*> caches = chromiumProfileCaches;
    caches.insert(caches.end(), chromiumSharedCaches.begin(), chromiumSharedCaches.end());
    const char* const profile = "Opera Software\\Opera Stable";
    return {
        .setting = pageBox("OperaCache", "Opera", TargetGroup::Browsers, row),
        .entry = StageEntry::AfterPump,
        .heading = Heading::WhenFound,
        .folders = {namedFolders(SpecialFolder::RoamingAppData, profile, caches),
                    namedFolders(SpecialFolder::LocalAppData, profile, caches)},
        .process = "opera.exe",
    };
}

CleanTarget programCaches(const char* name, const char* caption, int row, TargetFolder folder,
                          const char* process) {
    return {
        .setting = pageBox(name, caption, TargetGroup::Programs, row),
        .entry = StageEntry::AfterPump,
        .heading = Heading::WhenFound,
        .folders = {std::move(folder)},
        .process = process,
    };
}

CleanTarget driverShaderCache(const char* name, const char* caption, int row,
                              std::vector<TargetFolder> folders) {
    return {
        // Off for a first start: games may stutter once while the driver rebuilds them, as
        // the page says below the boxes.
        .setting = pageBox(name, caption, TargetGroup::ShaderCaches, row, false),
        .entry = StageEntry::AfterPump,
        .heading = Heading::WhenFound,
        .folders = std::move(folders),
    };
}

CleanTarget systemFolder(const char* name, const char* caption, int row,
                         std::vector<TargetFolder> folders) {
    return {
        .setting = pageBox(name, caption, TargetGroup::Administrator, row, false),
        .entry = StageEntry::AfterPump,
        .heading = Heading::WhenFound,
        .folders = std::move(folders),
        .needsElevation = true,
    };
}

TargetFolder inWindowsFolder(const char* relative, std::vector<const char*> names) {
    return {.base = FolderBase::WindowsFolder,
            .relative = relative,
            .removal = Removal::NamedFolders,
            .names = std::move(names)};
}

// The files at the top level of a folder below the Windows folder whose names begin with prefix
// and end with suffix; its subfolders stay.
TargetFolder topLevelFiles(const char* relative, const char* prefix, const char* suffix) {
    return {.base = FolderBase::WindowsFolder,
            .relative = relative,
            .removal = Removal::NamePatterns,
            .patterns = {{prefix, suffix, false}}};
}

// The targets of the "Browsers and apps" page, in the order they run after the ten.
std::vector<CleanTarget> browsersAndApps() {
    const SpecialFolder local = SpecialFolder::LocalAppData;
    const SpecialFolder roaming = SpecialFolder::RoamingAppData;
    const SpecialFolder localLow = SpecialFolder::LocalAppDataLow;
    std::vector<const char*> codeCaches = electronCaches;
    codeCaches.push_back("CachedData");
    return {
        chromiumBrowser("ChromeCache", "Google Chrome", 0, "Google\\Chrome\\User Data",
                        "chrome.exe"),
        chromiumBrowser("EdgeCache", "Microsoft Edge", 1, "Microsoft\\Edge\\User Data",
                        "msedge.exe"),
        chromiumBrowser("BraveCache", "Brave", 2, "BraveSoftware\\Brave-Browser\\User Data",
                        "brave.exe"),
        chromiumBrowser("VivaldiCache", "Vivaldi", 3, "Vivaldi\\User Data", "vivaldi.exe"),
        operaBrowser(4),
        {
            .setting =
                pageBox("FirefoxCache2", "Firefox (current versions)", TargetGroup::Browsers, 5),
            .entry = StageEntry::AfterPump,
            .heading = Heading::WhenFound,
            // Only the local profiles: the roaming ones hold bookmarks, passwords and history.
            .folders = {namedFolders(local, "Mozilla\\Firefox\\Profiles",
                                     {"cache2", "startupCache", "jumpListCache", "OfflineCache"},
                                     Profiles::EveryFolder)},
            .process = "firefox.exe",
        },
        programCaches("TeamsCache", "Microsoft Teams", 0,
                      namedFolders(local,
                                   "Packages\\MSTeams_8wekyb3d8bbwe\\LocalCache\\Microsoft\\"
                                   "MSTeams\\EBWebView",
                                   electronCaches, Profiles::Chromium),
                      "ms-teams.exe"),
        programCaches("DiscordCache", "Discord", 1,
                      namedFolders(roaming, "discord", electronCaches), "Discord.exe"),
        programCaches("SlackCache", "Slack", 2, namedFolders(roaming, "Slack", electronCaches),
                      "slack.exe"),
        programCaches("VSCodeCache", "Visual Studio Code", 3,
                      namedFolders(roaming, "Code", codeCaches), "Code.exe"),
        programCaches("DirectXShaderCache", "DirectX shader cache", 4,
                      namedFolders(local, "", {"D3DSCache"}), nullptr),
        {
            .setting = pageBox("CrashDumps", "Crash dumps of programs", TargetGroup::Programs, 5),
            .entry = StageEntry::AfterPump,
            .heading = Heading::WhenFound,
            .folders = {{.base = FolderBase::KnownFolder,
                         .relative = "CrashDumps",
                         .removal = Removal::NamePatterns,
                         .patterns = {{"", "", false}}}},
        },
        driverShaderCache("NvidiaShaderCache", "NVIDIA shader cache", 0,
                          {namedFolders(local, "NVIDIA", {"DXCache", "GLCache"}),
                           namedFolders(localLow, "NVIDIA\\PerDriverVersion", {"DXCache"})}),
        driverShaderCache(
            "AmdShaderCache", "AMD shader cache", 1,
            {namedFolders(local, "AMD", {"DxCache", "DxcCache", "VkCache", "GLCache"})}),
        driverShaderCache("IntelShaderCache", "Intel shader cache", 2,
                          {namedFolders(localLow, "Intel", {"ShaderCache"})}),
        // No service is stopped or restarted: what a service holds open stays.
        systemFolder("WindowsTempFolder", "Windows temporary folder", 0,
                     {inWindowsFolder("", {"Temp"})}),
        systemFolder("DeliveryOptimization", "Delivery Optimization cache", 1,
                     {inWindowsFolder("ServiceProfiles\\NetworkService\\AppData\\Local\\"
                                      "Microsoft\\Windows\\DeliveryOptimization",
                                      {"Cache"})}),
        systemFolder("SystemCrashDumps", "System crash dumps", 2,
                     {topLevelFiles("", "MEMORY.DMP", ""), topLevelFiles("Minidump", "", ".dmp"),
                      topLevelFiles("LiveKernelReports", "", ".dmp")}),
    };
}

TargetCatalogue makeCatalogue() {
    const char* const firefoxProfiles = "Mozilla\\Firefox\\Profiles";
    TargetCatalogue catalogue = {
        {
            .setting = windowsBox(&CleanSettings::Tempfolder, 0),
            .entry = StageEntry::First,
            .heading = Heading::BeganAndFinished,
            .folders = {{.base = FolderBase::TempFolder}},
            .title = Text::CleanTemporaryFolder,
        },
        {
            .setting = windowsBox(&CleanSettings::Interfolder, 1),
            .entry = StageEntry::AfterPump,
            .heading = Heading::BeganAndFinished,
            .folders = {{.base = FolderBase::KnownFolder,
                         .knownFolder = SpecialFolder::InternetCache}},
            .title = Text::CleanInternetCache,
        },
        {
            .setting = windowsBox(&CleanSettings::Errorreport, 2),
            .entry = StageEntry::AfterPump,
            // The system-wide report folder decides whether the stage runs at all.
            .heading = Heading::StepWhenFound,
            .folders = {{.base = FolderBase::WindowsDrive,
                         .relative = "ProgramData\\Microsoft\\Windows\\WER\\",
                         .required = true},
                        belowLocalAppData("Microsoft\\Windows\\WER")},
        },
        {
            .setting = windowsBox(&CleanSettings::Thumbs, 5),
            .entry = StageEntry::AfterPump,
            .heading = Heading::WhenFound,
            .folders = {belowLocalAppData("Microsoft\\Windows\\Explorer")},
        },
        {
            .setting = applicationBox(&CleanSettings::Firefox, 0),
            .entry = StageEntry::AfterPump,
            .heading = Heading::WhenFound,
            // Every profile's cache; without local profiles the roaming ones are not visited.
            .folders = {{.base = FolderBase::KnownFolder,
                         .relative = firefoxProfiles,
                         .removal = Removal::NamedSubfolders,
                         .subfolderName = "Cache",
                         .required = true},
                        {.base = FolderBase::KnownFolder,
                         .relative = firefoxProfiles,
                         .knownFolder = SpecialFolder::RoamingAppData,
                         .removal = Removal::NamedSubfolders,
                         .subfolderName = "Cache"}},
        },
        {
            .setting = windowsBox(&CleanSettings::Hotfix, 3),
            .entry = StageEntry::AfterPump,
            .heading = Heading::AtStart,
            // AppPatch is left alone: it holds the application-compatibility databases and
            // shims that programs need, not clutter.
            .folders = {{.base = FolderBase::WindowsFolder,
                         .removal = Removal::NamePatterns,
                         .patterns = {{"$NtUninstall", "", true}, {"KB", ".log", false}}},
                        {.base = FolderBase::WindowsFolder,
                         .relative = "SoftwareDistribution\\Download"}},
        },
        {
            .setting = windowsBox(&CleanSettings::WDIfile, 4,
                                  "Files created by Windows Diagnostics Infrastructure "),
            .entry = StageEntry::AfterPump,
            .heading = Heading::AtStart,
            .folders = {{.base = FolderBase::WindowsFolder, .relative = "System32\\WDI"}},
        },
        {
            .setting = applicationBox(&CleanSettings::Acdsee, 2),
            .entry = StageEntry::AfterPump,
            .heading = Heading::WhenFound,
            .folders = {},
            .special = cleanAcdseeDatabases,
        },
        {
            .setting = applicationBox(&CleanSettings::GoogleEarth, 1),
            .entry = StageEntry::WithoutPump,
            .heading = Heading::WhenFound,
            .folders = {},
            .special = cleanGoogleEarthCache,
        },
        {
            .setting = applicationBox(&CleanSettings::Acrobatreader, 3),
            .entry = StageEntry::AfterPump,
            .heading = Heading::WhenFound,
            .folders = {belowLocalAppData("Adobe\\Acrobat\\8.0\\Cache\\Search80")},
        },
    };
    for (CleanTarget& target : browsersAndApps()) {
        catalogue.push_back(std::move(target));
    }
    return catalogue;
}

} // namespace

const TargetCatalogue& targetCatalogue() {
    static const TargetCatalogue catalogue = makeCatalogue();
    return catalogue;
}

CleanStages stagesOf(const TargetCatalogue& catalogue) {
    CleanStages stages;
    for (const CleanTarget& target : catalogue) {
        stages.push_back([target](Deletion& deletion) { runTarget(deletion, target); });
    }
    return stages;
}

TargetSettings settingsOf(const TargetCatalogue& catalogue) {
    TargetSettings settings;
    for (const CleanTarget& target : catalogue) {
        settings.push_back(target.setting);
    }
    return settings;
}

} // namespace dustbane
