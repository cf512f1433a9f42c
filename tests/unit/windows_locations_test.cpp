#include "catalogue_target.h"
#include "engine_fixture.h"
#include "targets/windows_locations.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace dustbane {
namespace {

using Strings = std::vector<std::string>;
using testing::runCatalogueStages;
using testing::runCatalogueTarget;

const std::string temp = "C:\\users\\tester\\Temp\\";
const std::string local = "C:\\users\\tester\\AppData\\Local";
const std::string inetCache = local + "\\Microsoft\\Windows\\INetCache";
const std::string systemWer = "C:\\ProgramData\\Microsoft\\Windows\\WER";
const std::string userWer = local + "\\Microsoft\\Windows\\WER";
const std::string explorer = local + "\\Microsoft\\Windows\\Explorer";
const std::string windowsDir = "C:\\windows";

class WindowsLocations : public testing::EngineTest {
  protected:
    WindowsFolder windows() const { return windowsFolderOf(fake.shell); }
    Strings below(const std::string& folder) const { return fake.files.treeBelow(folder); }
};

TEST_F(WindowsLocations, WindowsFolderGainsBackslashAndDrive) {
    for (const std::string& returned : {std::string("C:\\windows"), std::string("C:\\windows\\")}) {
        fake.shell.windowsDirectory_ = returned;
        EXPECT_EQ(windows().dir, "C:\\windows\\") << returned;
        EXPECT_EQ(windows().drive, "C:\\") << returned;
    }
    fake.shell.windowsDirectory_ = "";
    EXPECT_EQ(windows().dir, "");
    EXPECT_EQ(windows().drive, "");
}

TEST_F(WindowsLocations, TempFolderIsEmptiedPermanentlyBetweenBeganAndFinished) {
    settings.Recycle = true;
    fake.files.addFile(temp + "a.tmp");
    fake.files.addFile(temp + "readonly.tmp", "x", attributes::readOnly);
    fake.files.addFile(temp + "sub\\deep\\b.tmp");
    fake.files.addFile(temp + ".keep");
    fake.files.addFile(temp + "held.tmp");
    fake.files.lock(temp + "held.tmp");

    runCatalogueTarget(deletion, "Tempfolder");

    const std::string title = "Clean Temporary Folder (" + temp + ")";
    EXPECT_EQ(fake.window.captions(),
              (Strings{"10:42:07 Began " + title, "10:42:07 Finished " + title}));
    EXPECT_EQ(below(temp), (Strings{temp + ".keep", temp + "held.tmp"}));
    EXPECT_TRUE(fake.files.directoryExists(temp));
    EXPECT_TRUE(fake.shell.recycled.empty());
    EXPECT_EQ(model.deletedCount(), 3);
    EXPECT_EQ(run.rootFolder, temp);
    EXPECT_EQ(fake.window.position, 10 + 3) << "the stage step and one per file examined";
}

TEST_F(WindowsLocations, MissingOrUnknownTempFolderStillTakesTheProgressStep) {
    runCatalogueTarget(deletion, "Tempfolder");
    EXPECT_TRUE(fake.window.lines.empty());
    EXPECT_EQ(fake.window.position, 10);

    fake.shell.tempPath_ = "";
    runCatalogueTarget(deletion, "Tempfolder");
    EXPECT_TRUE(fake.window.lines.empty());
    EXPECT_EQ(fake.window.position, 20);
}

TEST_F(WindowsLocations, InternetCacheNamesTheFolderAsResolved) {
    fake.files.addFile(inetCache + "\\Content.IE5\\X1\\page.htm");
    fake.files.addFile(inetCache + "\\index.dat");

    runCatalogueTarget(deletion, "Interfolder");

    const std::string title = "Clean IE Internet Temporary Folder (" + inetCache + ")";
    EXPECT_EQ(fake.window.captions(),
              (Strings{"10:42:07 Began " + title, "10:42:07 Finished " + title}));
    EXPECT_TRUE(below(inetCache).empty());
    EXPECT_TRUE(fake.files.directoryExists(inetCache));
}

TEST_F(WindowsLocations, UnresolvedInternetCacheEndsTheStage) {
    fake.shell.specialFolders.erase(SpecialFolder::InternetCache);
    run.rootFolder = "before";
    runCatalogueTarget(deletion, "Interfolder");
    EXPECT_TRUE(fake.window.lines.empty());
    EXPECT_EQ(run.rootFolder, "before");
    EXPECT_EQ(fake.window.position, 10);
}

TEST_F(WindowsLocations, ErrorReportsCleanBothFoldersUnderOneLine) {
    fake.files.addFile(systemWer + "\\ReportQueue\\r1\\Report.wer");
    fake.files.addFile(userWer + "\\ReportArchive\\r2\\Report.wer");
    fake.files.addFile(userWer + "\\.hidden");

    runCatalogueTarget(deletion, "Errorreport");

    EXPECT_EQ(fake.window.captions(), Strings{"10:42:07 Clean Windows error report"});
    EXPECT_TRUE(below(systemWer).empty());
    EXPECT_EQ(below(userWer), Strings{userWer + "\\.hidden"});
    EXPECT_EQ(fake.window.position, 10);
    EXPECT_EQ(run.rootFolder, userWer);
}

TEST_F(WindowsLocations, ErrorReportsDoNothingWithoutTheSystemFolder) {
    fake.files.addFile(userWer + "\\ReportArchive\\r2\\Report.wer");

    runCatalogueTarget(deletion, "Errorreport");

    EXPECT_TRUE(fake.window.lines.empty());
    EXPECT_EQ(fake.window.position, 0) << "no progress step either";
    EXPECT_EQ(below(userWer).size(), 3u);
}

TEST_F(WindowsLocations, ErrorReportsWithoutLocalAppDataCleanOnlyTheSystemFolder) {
    fake.shell.specialFolders.erase(SpecialFolder::LocalAppData);
    fake.files.addFile(systemWer + "\\a.wer");
    runCatalogueTarget(deletion, "Errorreport");
    EXPECT_EQ(fake.window.captions(), Strings{"10:42:07 Clean Windows error report"});
    EXPECT_TRUE(below(systemWer).empty());
}

TEST_F(WindowsLocations, ThumbnailCacheLosesEverythingInsideExplorer) {
    fake.files.addFile(explorer + "\\thumbcache_32.db");
    fake.files.addFile(explorer + "\\iconcache_16.db", "x", attributes::hidden);
    fake.files.addFile(explorer + "\\NotifyIcon\\app.png");

    runCatalogueTarget(deletion, "Thumbs");

    EXPECT_EQ(fake.window.captions(), Strings{"10:42:07 Clean Picture Thumb cache"});
    EXPECT_TRUE(below(explorer).empty());
    EXPECT_TRUE(fake.files.directoryExists(explorer));
}

TEST_F(WindowsLocations, MissingExplorerFolderAddsNoLine) {
    runCatalogueTarget(deletion, "Thumbs");
    EXPECT_TRUE(fake.window.lines.empty());
    EXPECT_EQ(fake.window.position, 10);
}

TEST_F(WindowsLocations, HotfixNameRulesAreExactAndCaseSensitive) {
    struct Case {
        const char* name;
        bool folder;
        bool deleted;
    };
    const Case cases[] = {
        {"$NtUninstallKB123456$", true, true},
        {"$NtUninstall", true, true},
        {"$ntuninstallKB123456$", true, false},
        {"$NtServicePackUninstall$", true, false},
        {"$NtUninstallKB123456$", false, false},
        {"KB123456.log", false, true},
        {"KB.log", false, true},
        {"KB123456.LOG", false, false},
        {"kb123456.log", false, false},
        {"KB123456.log.bak", false, false},
        {"KB123456.log", true, false},
        {"KB123456log", false, false},
        {"xKB123456.log", false, false},
    };
    const std::string w = windowsDir + "\\";
    for (const auto& c : cases) {
        model.setDeletedCount(0);
        model.setStatusText(1, "");
        if (c.folder) {
            fake.files.addFile(w + c.name + "\\spuninst\\spuninst.exe");
        } else {
            fake.files.addFile(w + c.name);
        }

        runCatalogueTarget(deletion, "Hotfix");

        EXPECT_NE(fake.files.exists(w + c.name), c.deleted) << c.name;
        EXPECT_EQ(model.deletedCount(), c.deleted ? 1 : 0) << c.name;
        const std::string counted = c.folder ? "Deleted 1" : "Deleted: 1";
        EXPECT_EQ(fake.window.status[1], c.deleted ? counted : "") << c.name;
        fake.files.eraseTree(w + c.name);
    }
}

TEST_F(WindowsLocations, HotfixLeftoversGoWhateverTheirAttributes) {
    const std::string w = windowsDir + "\\";
    fake.files.addFile(w + "KB1.log", "x", attributes::readOnly | attributes::hidden);
    fake.files.addFile(w + "$NtUninstallKB2$\\spuninst.exe", "x", attributes::readOnly);
    fake.files.addFile(w + "notepad.exe");

    runCatalogueTarget(deletion, "Hotfix");

    EXPECT_EQ(below(windowsDir), Strings{w + "notepad.exe"});
    EXPECT_EQ(fake.window.captions(), Strings{"10:42:07 Clean Windows hotfix or patch"});
    EXPECT_EQ(model.deletedCount(), 2);
    EXPECT_TRUE(fake.shell.recycled.empty());
}

TEST_F(WindowsLocations, HotfixUninstallLinkGoesAsALinkAndItsTargetStays) {
    fake.files.addFile("D:\\data\\precious.doc");
    fake.files.addFile("D:\\data\\sub\\more.doc");
    fake.files.addFolderLink(windowsDir + "\\$NtUninstallKB777$", "D:\\data");

    runCatalogueTarget(deletion, "Hotfix");

    EXPECT_FALSE(fake.files.exists(windowsDir + "\\$NtUninstallKB777$"));
    EXPECT_EQ(below("D:\\data"),
              (Strings{"D:\\data\\precious.doc", "D:\\data\\sub", "D:\\data\\sub\\more.doc"}));
    EXPECT_EQ(model.deletedCount(), 1);
}

TEST_F(WindowsLocations, HotfixCleansTheDownloadFolderKeepsAppPatchAndAlwaysShowsItsLine) {
    runCatalogueTarget(deletion, "Hotfix");
    EXPECT_EQ(fake.window.captions(), Strings{"10:42:07 Clean Windows hotfix or patch"});

    fake.files.addFile(windowsDir + "\\AppPatch\\sysmain.sdb");
    fake.files.addFile(windowsDir + "\\SoftwareDistribution\\Download\\abc\\update.cab");
    fake.files.addFile(windowsDir + "\\SoftwareDistribution\\DataStore\\DataStore.edb");
    fake.shell.windowsDirectory_ = windowsDir + "\\";

    runCatalogueTarget(deletion, "Hotfix");

    EXPECT_EQ(below(windowsDir + "\\AppPatch"), Strings{windowsDir + "\\AppPatch\\sysmain.sdb"});
    EXPECT_EQ(below(windowsDir + "\\SoftwareDistribution"),
              (Strings{windowsDir + "\\SoftwareDistribution\\DataStore",
                       windowsDir + "\\SoftwareDistribution\\DataStore\\DataStore.edb",
                       windowsDir + "\\SoftwareDistribution\\Download"}));
    EXPECT_EQ(run.rootFolder, windowsDir + "\\SoftwareDistribution\\Download");
}

TEST_F(WindowsLocations, UnknownWindowsFolderNeverSendsTheStagesToADriveRoot) {
    fake.shell.windowsDirectory_ = "";
    fake.files.addFolder("C:\\$NtUninstallKB1$");
    fake.files.addFile("C:\\KB1.log");
    fake.files.addFile("C:\\AppPatch\\a.sdb");
    fake.files.addFile("C:\\System32\\WDI\\a.etl");
    fake.files.addFile("C:\\ProgramData\\Microsoft\\Windows\\WER\\a.wer");
    const Strings before = below("C:");

    runCatalogueStages(deletion);

    EXPECT_EQ(below("C:"), before);
    EXPECT_EQ(fake.window.captions(), (Strings{"10:42:07 Clean Windows hotfix or patch",
                                               "10:42:07 Clean WDI created files"}));
}

TEST_F(WindowsLocations, WdiLineComesWithOrWithoutTheFolder) {
    runCatalogueTarget(deletion, "WDIfile");
    fake.files.addFile(windowsDir + "\\System32\\WDI\\LogFiles\\boot.etl");
    fake.files.addFile(windowsDir + "\\System32\\WDI\\{86432a0b}\\snapshot.etl");
    runCatalogueTarget(deletion, "WDIfile");

    EXPECT_EQ(fake.window.captions(),
              (Strings{"10:42:07 Clean WDI created files", "10:42:07 Clean WDI created files"}));
    EXPECT_TRUE(below(windowsDir + "\\System32\\WDI").empty());
    EXPECT_EQ(fake.window.position, 20);
}

class WholeRun : public WindowsLocations {
  protected:
    // One item in each of the cleaned Windows folders, returned with the folders.
    const std::string appPatch = windowsDir + "\\AppPatch";

    Strings populateWindowsFolders() {
        const Strings folders = {temp,
                                 inetCache,
                                 systemWer,
                                 userWer,
                                 explorer,
                                 windowsDir + "\\SoftwareDistribution\\Download",
                                 windowsDir + "\\System32\\WDI"};
        for (const auto& folder : folders) {
            fake.files.addFile(withBackslash(folder) + "item.dat");
            fake.files.addFile(withBackslash(folder) + "sub\\item.dat");
        }
        fake.files.addFile(appPatch + "\\sysmain.sdb");
        return folders;
    }
};

TEST_F(WholeRun, DelfolderRemovesEveryEmptiedFolder) {
    settings.Delfolder = true;
    const Strings folders = populateWindowsFolders();

    runCatalogueStages(deletion);

    for (const auto& folder : folders) {
        EXPECT_FALSE(fake.files.exists(folder)) << folder;
    }
    EXPECT_TRUE(fake.files.directoryExists(windowsDir + "\\System32"));
    EXPECT_TRUE(fake.files.directoryExists(windowsDir + "\\SoftwareDistribution"));
    EXPECT_TRUE(fake.files.exists(appPatch + "\\sysmain.sdb"));
}

TEST_F(WholeRun, StagesRunInOrderWithTheirLines) {
    populateWindowsFolders();
    runCatalogueStages(deletion);
    EXPECT_EQ(
        fake.window.captions(),
        (Strings{"10:42:07 Began Clean Temporary Folder (" + temp + ")",
                 "10:42:07 Finished Clean Temporary Folder (" + temp + ")",
                 "10:42:07 Began Clean IE Internet Temporary Folder (" + inetCache + ")",
                 "10:42:07 Finished Clean IE Internet Temporary Folder (" + inetCache + ")",
                 "10:42:07 Clean Windows error report", "10:42:07 Clean Picture Thumb cache",
                 "10:42:07 Clean Windows hotfix or patch", "10:42:07 Clean WDI created files"}));
    EXPECT_EQ(model.deletedCount(), 14);
}

TEST_F(WholeRun, ClearedSettingsSkipEveryStageWithoutAProgressStep) {
    testing::turnOffFixedLocations(settings);
    populateWindowsFolders();
    const Strings before = below("C:");

    runCatalogueStages(deletion);

    EXPECT_TRUE(fake.window.lines.empty());
    EXPECT_EQ(fake.window.position, 0);
    EXPECT_EQ(below("C:"), before);
    EXPECT_FALSE(
        fake.registry.keyExists(RegistryRoot::CurrentUser, "Software\\Google\\Google Earth Plus"));
}

TEST_F(WholeRun, StopDuringTheTempFolderSkipsEveryLaterStage) {
    populateWindowsFolders();
    fake.files.addFile(temp + "more1.dat");
    fake.files.addFile(temp + "more2.dat");
    // The Stop click lands at the fourth entry of the temp folder (".", "..", item.dat, more1.dat).
    fake.window.onPump = [this] {
        if (fake.window.pumps == 4) {
            run.stopRequested = true;
        }
    };

    runCatalogueStages(deletion);

    EXPECT_EQ(fake.window.captions(),
              Strings{"10:42:07 Began Clean Temporary Folder (" + temp + ")"});
    EXPECT_EQ(model.deletedCount(), 1);
    EXPECT_EQ(below(temp).size(), 4u);
    EXPECT_EQ(below(inetCache).size(), 3u);
    EXPECT_EQ(below(windowsDir + "\\System32\\WDI").size(), 3u);
    EXPECT_FALSE(
        fake.registry.keyExists(RegistryRoot::CurrentUser, "Software\\Google\\Google Earth Plus"))
        << "the Google Earth stage, which creates its key, never ran";
    EXPECT_EQ(fake.window.position, 10 + 1);
}

} // namespace
} // namespace dustbane
