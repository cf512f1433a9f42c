#include "catalogue_target.h"
#include "engine_fixture.h"

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace dustbane::testing {
namespace {

using Strings = std::vector<std::string>;

const std::string local = "C:\\users\\tester\\AppData\\Local\\";
const std::string roaming = "C:\\users\\tester\\AppData\\Roaming\\";
const std::string localLow = "C:\\users\\tester\\AppData\\LocalLow\\";
const std::string windows = "C:\\windows\\";

// A clean run of one of the "Browsers and apps" targets over the fakes, everything else off.
class BrowsersAndApps : public EngineTest {
  protected:
    BrowsersAndApps() { fake.files.addFolder("C:\\Program Files\\Dustbane"); }

    // Runs the target with its flag ticked.
    void clean(const char* valueName) {
        setFlagValue(settings, flagNamed(valueName), true);
        runCatalogueTarget(deletion, valueName);
    }

    static FlagSetting flagNamed(const char* valueName) {
        for (const CleanTarget& target : targetCatalogue()) {
            if (std::string(target.setting.flag.name) == valueName) {
                return target.setting.flag;
            }
        }
        throw std::invalid_argument(valueName);
    }

    // One file in each folder; returns the files.
    Strings addFiles(const Strings& folders) {
        Strings files;
        for (const std::string& folder : folders) {
            files.push_back(folder + "\\data_0");
            fake.files.addFile(files.back());
        }
        return files;
    }

    // The caches are emptied and stay as folders; every file of keep is still there.
    void expectEmptied(const Strings& caches, const Strings& keep) {
        for (const std::string& cache : caches) {
            EXPECT_TRUE(fake.files.directoryExists(cache)) << cache << " stays";
            EXPECT_TRUE(fake.files.treeBelow(cache).empty()) << cache;
        }
        for (const std::string& file : keep) {
            EXPECT_TRUE(fake.files.exists(file)) << file;
        }
    }
};

// The profile caches of each profile and the shared caches of the user-data folder go; the
// profile's own data and folders that are no profile stay.
TEST_F(BrowsersAndApps, EachChromiumBrowserEmptiesTheCachesOfEveryProfileOnly) {
    const std::vector<std::pair<const char*, std::string>> browsers = {
        {"ChromeCache", local + "Google\\Chrome\\User Data"},
        {"EdgeCache", local + "Microsoft\\Edge\\User Data"},
        {"BraveCache", local + "BraveSoftware\\Brave-Browser\\User Data"},
        {"VivaldiCache", local + "Vivaldi\\User Data"},
    };
    for (const auto& [valueName, userData] : browsers) {
        SCOPED_TRACE(valueName);
        Strings caches;
        for (const char* profile : {"Default", "Profile 1", "Profile 12", "Guest Profile"}) {
            for (const char* cache : {"Cache", "Code Cache", "GPUCache", "DawnCache",
                                      "DawnGraphiteCache", "DawnWebGPUCache"}) {
                caches.push_back(userData + "\\" + profile + "\\" + cache);
            }
        }
        for (const char* shared : {"ShaderCache", "GrShaderCache", "GraphiteDawnCache"}) {
            caches.push_back(userData + "\\" + shared);
        }
        addFiles(caches);
        fake.files.addFile(userData + "\\Default\\Cache\\Cache_Data\\f_000001");
        Strings keep;
        for (const char* data : {"Cookies", "History", "Login Data", "Web Data", "Bookmarks",
                                 "Preferences", "Local Storage\\leveldb\\1.log",
                                 "IndexedDB\\x\\1.log", "Sessions\\s1", "Extensions\\e\\m.json"}) {
            keep.push_back(userData + "\\Default\\" + data);
        }
        // Not a profile, and a cache name in the wrong place.
        keep.push_back(userData + "\\System Profile\\Cache\\data_0");
        keep.push_back(userData + "\\Crashpad\\Cache\\data_0");
        keep.push_back(userData + "\\Default\\Storage\\Cache\\data_0");
        for (const std::string& file : keep) {
            fake.files.addFile(file);
        }

        clean(valueName);

        expectEmptied(caches, keep);
    }
}

TEST_F(BrowsersAndApps, OperaTakesTheCachesFromBothHalvesOfItsProfile) {
    const std::string roamingProfile = roaming + "Opera Software\\Opera Stable";
    const std::string localProfile = local + "Opera Software\\Opera Stable";
    const Strings caches = {localProfile + "\\Cache", localProfile + "\\Code Cache",
                            roamingProfile + "\\GPUCache", roamingProfile + "\\ShaderCache",
                            localProfile + "\\GrShaderCache"};
    addFiles(caches);
    const Strings keep = {roamingProfile + "\\Cookies", roamingProfile + "\\Bookmarks",
                          roamingProfile + "\\Local Storage\\leveldb\\1.log",
                          localProfile + "\\History"};
    for (const std::string& file : keep) {
        fake.files.addFile(file);
    }

    clean("OperaCache");

    expectEmptied(caches, keep);
    EXPECT_EQ(fake.window.captions(), Strings{"10:42:07 Clean Opera"});
}

TEST_F(BrowsersAndApps, FirefoxEmptiesFourCachesInEveryLocalProfileAndNothingRoaming) {
    const std::string profiles = local + "Mozilla\\Firefox\\Profiles\\";
    Strings caches;
    for (const char* profile : {"abcd.default-release", "efgh.work"}) {
        for (const char* cache : {"cache2", "startupCache", "jumpListCache", "OfflineCache"}) {
            caches.push_back(profiles + profile + "\\" + cache);
        }
    }
    addFiles(caches);
    const std::string roamingProfile = roaming + "Mozilla\\Firefox\\Profiles\\abcd.default-release";
    const Strings keep = {roamingProfile + "\\places.sqlite", roamingProfile + "\\logins.json",
                          roamingProfile + "\\cache2\\data_0",
                          profiles + "abcd.default-release\\safebrowsing\\x.vlpset",
                          profiles + "abcd.default-release\\thumbnails\\t.png"};
    for (const std::string& file : keep) {
        fake.files.addFile(file);
    }

    clean("FirefoxCache2");

    expectEmptied(caches, keep);
}

TEST_F(BrowsersAndApps, EachApplicationEmptiesItsOwnCaches) {
    struct Application {
        const char* valueName;
        std::string folder;
        Strings caches;
    };
    const std::string teams = local + "Packages\\MSTeams_8wekyb3d8bbwe\\LocalCache\\Microsoft\\"
                                      "MSTeams\\EBWebView\\";
    const std::vector<Application> applications = {
        {"TeamsCache", teams, {"Default\\Cache", "Default\\Code Cache", "Profile 1\\GPUCache"}},
        {"DiscordCache", roaming + "discord\\", {"Cache", "Code Cache", "GPUCache"}},
        {"SlackCache", roaming + "Slack\\", {"Cache", "Code Cache", "GPUCache"}},
        {"VSCodeCache", roaming + "Code\\", {"Cache", "Code Cache", "GPUCache", "CachedData"}},
    };
    for (const Application& application : applications) {
        SCOPED_TRACE(application.valueName);
        Strings caches;
        for (const std::string& cache : application.caches) {
            caches.push_back(application.folder + cache);
        }
        addFiles(caches);
        const Strings keep = {application.folder + "settings.json",
                              application.folder + "Local Storage\\leveldb\\1.log",
                              application.folder + "User\\settings.json"};
        for (const std::string& file : keep) {
            fake.files.addFile(file);
        }

        clean(application.valueName);

        expectEmptied(caches, keep);
    }
}

TEST_F(BrowsersAndApps, ShaderCachesOfDirectXAndEachVendor) {
    struct Cache {
        const char* valueName;
        Strings caches;
    };
    const std::vector<Cache> vendors = {
        {"DirectXShaderCache", {local + "D3DSCache"}},
        {"NvidiaShaderCache",
         {local + "NVIDIA\\DXCache", local + "NVIDIA\\GLCache",
          localLow + "NVIDIA\\PerDriverVersion\\DXCache"}},
        {"AmdShaderCache",
         {local + "AMD\\DxCache", local + "AMD\\DxcCache", local + "AMD\\VkCache",
          local + "AMD\\GLCache"}},
        {"IntelShaderCache", {localLow + "Intel\\ShaderCache"}},
    };
    const Strings keep = {local + "NVIDIA\\NvBackend\\ApplicationOntology\\a.json",
                          local + "AMD\\CN\\settings.xml", localLow + "Intel\\Settings\\x.ini"};
    for (const std::string& file : keep) {
        fake.files.addFile(file);
    }
    for (const Cache& vendor : vendors) {
        SCOPED_TRACE(vendor.valueName);
        addFiles(vendor.caches);

        clean(vendor.valueName);

        expectEmptied(vendor.caches, keep);
    }
}

TEST_F(BrowsersAndApps, GraphicsDriverCachesAndTheAdministratorGroupStartOff) {
    CleanSettings fresh;
    for (const char* off : {"NvidiaShaderCache", "AmdShaderCache", "IntelShaderCache",
                            "WindowsTempFolder", "DeliveryOptimization", "SystemCrashDumps"}) {
        EXPECT_FALSE(flagValue(fresh, flagNamed(off))) << off;
    }
    for (const char* on : {"ChromeCache", "EdgeCache", "BraveCache", "VivaldiCache", "OperaCache",
                           "FirefoxCache2", "TeamsCache", "DiscordCache", "SlackCache",
                           "VSCodeCache", "DirectXShaderCache", "CrashDumps"}) {
        EXPECT_TRUE(flagValue(fresh, flagNamed(on))) << on;
    }
}

TEST_F(BrowsersAndApps, ProgramCrashDumpsAreFilesOnly) {
    const std::string dumps = local + "CrashDumps\\";
    fake.files.addFile(dumps + "app.exe.1234.dmp");
    fake.files.addFile(dumps + "other.exe.99.dmp");
    fake.files.addFile(dumps + "kept\\inner.dmp");

    clean("CrashDumps");

    EXPECT_EQ(fake.files.treeBelow(local + "CrashDumps"),
              (Strings{dumps + "kept", dumps + "kept\\inner.dmp"}));
}

TEST_F(BrowsersAndApps, WhileItsProcessRunsNothingOfTheApplicationIsTouched) {
    const std::string userData = local + "Google\\Chrome\\User Data";
    const Strings caches = addFiles({userData + "\\Default\\Cache", userData + "\\ShaderCache"});
    fake.system.runningProcesses = {"chrome.exe"};

    clean("ChromeCache");

    EXPECT_EQ(fake.window.captions(), Strings{"10:42:07 skipped: Google Chrome is running"});
    for (const std::string& file : caches) {
        EXPECT_TRUE(fake.files.exists(file)) << file;
    }
    EXPECT_TRUE(fake.files.listedFolders().empty()) << "not even listed";

    fake.system.runningProcesses = {"msedge.exe"};
    clean("ChromeCache");
    EXPECT_FALSE(fake.files.exists(caches[0])) << "another browser running does not matter";
}

TEST_F(BrowsersAndApps, LinksAndFilesInUseStayInACache) {
    const std::string cache = roaming + "discord\\Cache";
    fake.files.addFile(roaming + "elsewhere\\precious.txt");
    fake.files.addFolderLink(cache + "\\link", roaming + "elsewhere");
    fake.files.addFile(cache + "\\in use");
    fake.files.lock(cache + "\\in use");
    fake.files.addFile(cache + "\\old");
    // A cache that is itself a link is never entered.
    fake.files.addFolderLink(roaming + "discord\\GPUCache", roaming + "elsewhere");

    clean("DiscordCache");

    EXPECT_TRUE(fake.files.exists(roaming + "elsewhere\\precious.txt"));
    EXPECT_TRUE(fake.files.exists(cache + "\\in use"));
    EXPECT_FALSE(fake.files.exists(cache + "\\old"));
    EXPECT_EQ(model.deletedCount(), 2) << "the link as a link and the old file; not the held one";
}

class AdministratorGroup : public BrowsersAndApps {
  protected:
    AdministratorGroup() {
        for (const char* file :
             {"Temp\\setup.log", "Temp\\sub\\x.tmp", "MEMORY.DMP", "Minidump\\120826-01.dmp",
              "Minidump\\notes.txt", "LiveKernelReports\\a.dmp",
              "LiveKernelReports\\WATCHDOG\\b.dmp",
              "ServiceProfiles\\NetworkService\\AppData\\Local\\Microsoft\\Windows\\"
              "DeliveryOptimization\\Cache\\abc\\content",
              "ServiceProfiles\\NetworkService\\AppData\\Local\\Microsoft\\Windows\\"
              "DeliveryOptimization\\Logs\\do.etl",
              "System32\\kernel32.dll"}) {
            fake.files.addFile(windows + file);
        }
    }

    void cleanGroup() {
        for (const char* valueName :
             {"WindowsTempFolder", "DeliveryOptimization", "SystemCrashDumps"}) {
            clean(valueName);
        }
    }
};

TEST_F(AdministratorGroup, ElevatedItEmptiesTheSystemFoldersAndTheDumps) {
    fake.system.elevated = true;
    const std::string deliveryOptimization =
        windows + "ServiceProfiles\\NetworkService\\AppData\\Local\\Microsoft\\Windows\\"
                  "DeliveryOptimization\\";

    cleanGroup();

    expectEmptied({windows + "Temp", deliveryOptimization + "Cache"},
                  {windows + "Minidump\\notes.txt", windows + "LiveKernelReports\\WATCHDOG\\b.dmp",
                   deliveryOptimization + "Logs\\do.etl", windows + "System32\\kernel32.dll"});
    for (const char* dump : {"MEMORY.DMP", "Minidump\\120826-01.dmp", "LiveKernelReports\\a.dmp"}) {
        EXPECT_FALSE(fake.files.exists(windows + dump)) << dump;
    }
    EXPECT_EQ(fake.window.captions(), (Strings{"10:42:07 Clean Windows temporary folder",
                                               "10:42:07 Clean Delivery Optimization cache",
                                               "10:42:07 Clean System crash dumps"}));
}

TEST_F(AdministratorGroup, NotElevatedItIsSkippedWithOneLineForTheGroupAndTouchesNothing) {
    const Strings before = fake.files.treeBelow("C:\\windows");

    cleanGroup();

    EXPECT_EQ(fake.files.treeBelow("C:\\windows"), before);
    EXPECT_EQ(fake.window.captions(),
              (Strings{"10:42:07 skipped: Administrator group (needs administrator rights)"}));
}

// The line does not hang on the group's first target being ticked.
TEST_F(AdministratorGroup, NotElevatedTheLineComesWithWhicheverTargetIsTicked) {
    for (const char* valueName : {"DeliveryOptimization", "SystemCrashDumps"}) {
        SCOPED_TRACE(valueName);
        fake.window.showLines({});
        setFlagValue(settings, flagNamed("WindowsTempFolder"), false);
        setFlagValue(settings, flagNamed("DeliveryOptimization"), false);

        clean(valueName);

        EXPECT_EQ(fake.window.captions(),
                  (Strings{"10:42:07 skipped: Administrator group (needs administrator rights)"}));
    }
}

} // namespace
} // namespace dustbane::testing
