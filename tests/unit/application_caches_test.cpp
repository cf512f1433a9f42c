#include "catalogue_target.h"
#include "engine_fixture.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace dustbane {
namespace {

using Strings = std::vector<std::string>;
using testing::runCatalogueStages;
using testing::runCatalogueTarget;
using Value = testing::FakeRegistry::Value;

const std::string localProfiles = "C:\\users\\tester\\AppData\\Local\\Mozilla\\Firefox\\Profiles";
const std::string roamingProfiles =
    "C:\\users\\tester\\AppData\\Roaming\\Mozilla\\Firefox\\Profiles";
const std::string acdseeKey = "Software\\ACD Systems\\ACDSee";
const std::string earthKey = "Software\\Google\\Google Earth Plus";
const std::string searchCache =
    "C:\\users\\tester\\AppData\\Local\\Adobe\\Acrobat\\8.0\\Cache\\Search80";

const std::string firefoxLine = "10:42:07 Clean Firefox cache folder";
const std::string acdseeLine = "10:42:07 Clean Acdsee database";
const std::string earthLine = "10:42:07 Clean Google Earth Cache";
const std::string acrobatLine = "10:42:07 Clean Acrobat Reader8 Cache";
// The two Windows stages that show their line whether or not they find anything.
const std::string hotfixLine = "10:42:07 Clean Windows hotfix or patch";
const std::string wdiLine = "10:42:07 Clean WDI created files";

class ApplicationCaches : public testing::EngineTest {
  protected:
    Strings below(const std::string& folder) const { return fake.files.treeBelow(folder); }
    void setDatabase(const std::string& version, Value path) {
        fake.registry.set(acdseeKey + "\\" + version, "DBPath", std::move(path));
    }
};

TEST_F(ApplicationCaches, RegistryPathsThatClimbOutOrNameARootAreRefused) {
    const std::string local = "C:\\users\\tester\\AppData\\Local\\";
    fake.files.addFile("C:\\keep\\db\\ImageDB.fpt");
    fake.files.addFile("C:\\keep\\notes.txt");
    fake.files.addFile("C:\\dbCache.dat");
    fake.files.addFile(local + "dbCache.dat");
    fake.files.addFile(local + "ACD\\db\\ImageDB.fpt");
    fake.files.addFolderLink(local + "jump", "C:\\keep");
    const std::pair<std::string, std::string> climbing[] = {
        {"C:\\keep\\db\\..", "C:\\keep"},
        {"C:\\keep\\..\\", "C:\\"},
        {local + "ACD\\db\\..\\..\\..\\..", "C:\\users\\tester"},
        {local + "jump", local + "jump"},
    };
    for (const auto& [value, canonical] : climbing) {
        fake.window.model.clearLines();
        setDatabase("10.0", value);
        fake.registry.set(earthKey, "CachePath", value);
        runCatalogueTarget(deletion, "Acdsee");
        runCatalogueTarget(deletion, "GoogleEarth");
        const Strings refused(2, "10:42:07 Protected folder, not cleaned: " + canonical);
        EXPECT_EQ(fake.window.captions(), refused) << value;
    }
    EXPECT_EQ(below("C:\\keep"),
              (Strings{"C:\\keep\\db", "C:\\keep\\db\\ImageDB.fpt", "C:\\keep\\notes.txt"}));
    EXPECT_TRUE(fake.files.exists("C:\\dbCache.dat"));
    EXPECT_TRUE(fake.files.exists(local + "dbCache.dat"));
    EXPECT_TRUE(fake.files.exists(local + "ACD\\db\\ImageDB.fpt"));
    EXPECT_EQ(model.deletedCount(), 0);
}

TEST_F(ApplicationCaches, FirefoxEmptiesFoldersNamedCacheExactlyInBothRoots) {
    fake.files.addFile(localProfiles + "\\a.default\\Cache\\0\\AB\\entry");
    fake.files.addFile(localProfiles + "\\a.default\\Cache\\_CACHE_MAP_");
    fake.files.addFile(localProfiles + "\\b.default\\cache\\keep.bin");
    fake.files.addFile(localProfiles + "\\b.default\\Caches\\keep.bin");
    fake.files.addFile(localProfiles + "\\b.default\\Cache.bak");
    fake.files.addFile(roamingProfiles + "\\a.default\\sub\\Cache\\entry");
    fake.files.addFile(roamingProfiles + "\\a.default\\prefs.js");

    runCatalogueTarget(deletion, "Firefox");

    EXPECT_EQ(fake.window.captions(), Strings{firefoxLine});
    EXPECT_EQ(
        below(localProfiles),
        (Strings{localProfiles + "\\a.default", localProfiles + "\\a.default\\Cache",
                 localProfiles + "\\b.default", localProfiles + "\\b.default\\cache",
                 localProfiles + "\\b.default\\Cache.bak", localProfiles + "\\b.default\\Caches",
                 localProfiles + "\\b.default\\Caches\\keep.bin",
                 localProfiles + "\\b.default\\cache\\keep.bin"}));
    EXPECT_EQ(below(roamingProfiles),
              (Strings{roamingProfiles + "\\a.default", roamingProfiles + "\\a.default\\prefs.js",
                       roamingProfiles + "\\a.default\\sub",
                       roamingProfiles + "\\a.default\\sub\\Cache"}));
    EXPECT_EQ(model.deletedCount(), 3);
}

TEST_F(ApplicationCaches, FirefoxLeavesRoamingCachesAloneWithoutLocalProfiles) {
    fake.files.addFile(roamingProfiles + "\\a.default\\Cache\\entry");
    runCatalogueTarget(deletion, "Firefox");
    EXPECT_TRUE(fake.window.lines.empty());
    EXPECT_TRUE(fake.files.exists(roamingProfiles + "\\a.default\\Cache\\entry"));
    EXPECT_EQ(fake.window.position, 10);
}

TEST_F(ApplicationCaches, FirefoxDelfolderTakesTheCacheFoldersThemselves) {
    settings.Delfolder = true;
    fake.files.addFile(localProfiles + "\\a.default\\Cache\\entry");
    fake.files.addFile(roamingProfiles + "\\a.default\\Cache\\entry");
    runCatalogueTarget(deletion, "Firefox");
    EXPECT_EQ(below(localProfiles), Strings{localProfiles + "\\a.default"});
    EXPECT_EQ(below(roamingProfiles), Strings{roamingProfiles + "\\a.default"});
}

TEST_F(ApplicationCaches, AcdseeCleansEachVersionsDatabaseInEnumerationOrder) {
    setDatabase("10.0", std::string("C:\\users\\tester\\AppData\\Local\\db10"));
    setDatabase("9.0",
                testing::FakeRegistry::ExpandString{"C:\\users\\tester\\AppData\\Local\\db9"});
    fake.files.addFile("C:\\users\\tester\\AppData\\Local\\db10\\ImageDB.fpt");
    fake.files.addFile("C:\\users\\tester\\AppData\\Local\\db10\\Thumbs\\t.dat");
    fake.files.addFile("C:\\users\\tester\\AppData\\Local\\db9\\ImageDB.fpt");

    runCatalogueTarget(deletion, "Acdsee");

    EXPECT_EQ(fake.window.lines,
              (std::vector<testing::RecordingWindow::Line>{
                  {acdseeLine, LineImage::Note},
                  {"C:\\users\\tester\\AppData\\Local\\db10", LineImage::FolderRemoved},
                  {acdseeLine, LineImage::Note},
                  {"C:\\users\\tester\\AppData\\Local\\db9", LineImage::FolderRemoved}}));
    EXPECT_TRUE(below("C:\\users\\tester\\AppData\\Local\\db10").empty());
    EXPECT_TRUE(below("C:\\users\\tester\\AppData\\Local\\db9").empty());
    EXPECT_TRUE(fake.files.directoryExists("C:\\users\\tester\\AppData\\Local\\db9"));
    EXPECT_EQ(model.deletedCount(), 3);
}

TEST_F(ApplicationCaches, AcdseeFolderLineOnlyWhenCleanedCompletelyAndDisplayed) {
    setDatabase("10.0", std::string("C:\\users\\tester\\AppData\\Local\\db10"));
    fake.files.addFile("C:\\users\\tester\\AppData\\Local\\db10\\ImageDB.fpt");
    fake.files.addFile("C:\\users\\tester\\AppData\\Local\\db10\\ImageDB.lck");
    fake.files.lock("C:\\users\\tester\\AppData\\Local\\db10\\ImageDB.lck");
    setDatabase("11.0", std::string("C:\\users\\tester\\AppData\\Local\\db11"));
    fake.files.addFile("C:\\users\\tester\\AppData\\Local\\db11\\ImageDB.fpt");

    settings.Display = false;
    runCatalogueTarget(deletion, "Acdsee");
    EXPECT_EQ(fake.window.captions(), (Strings{acdseeLine, acdseeLine}));

    fake.window.model.clearLines();
    settings.Display = true;
    runCatalogueTarget(deletion, "Acdsee");
    EXPECT_EQ(fake.window.captions(),
              (Strings{acdseeLine, acdseeLine, "C:\\users\\tester\\AppData\\Local\\db11"}));
    EXPECT_EQ(below("C:\\users\\tester\\AppData\\Local\\db10"),
              Strings{"C:\\users\\tester\\AppData\\Local\\db10\\ImageDB.lck"});
}

TEST_F(ApplicationCaches, AcdseeSkipsSubkeysWithoutAnExistingDatabase) {
    fake.registry.set(acdseeKey + "\\1.0", "Other",
                      std::string("C:\\users\\tester\\AppData\\Local\\db1"));
    setDatabase("2.0", std::string("C:\\users\\tester\\AppData\\Local\\missing"));
    setDatabase("3.0", std::string(""));
    setDatabase("4.0", std::string("C:\\users\\tester\\AppData\\Local\\db4"));
    fake.files.addFile("C:\\users\\tester\\AppData\\Local\\db1\\ImageDB.fpt");
    fake.files.addFile("C:\\users\\tester\\AppData\\Local\\db4\\ImageDB.fpt");

    runCatalogueTarget(deletion, "Acdsee");

    EXPECT_EQ(fake.window.captions(),
              (Strings{acdseeLine, "C:\\users\\tester\\AppData\\Local\\db4"}));
    EXPECT_TRUE(fake.files.exists("C:\\users\\tester\\AppData\\Local\\db1\\ImageDB.fpt"));
    EXPECT_FALSE(fake.files.exists("C:\\users\\tester\\AppData\\Local\\db4\\ImageDB.fpt"));
}

TEST_F(ApplicationCaches, AcdseeWithoutItsKeyOnlyStepsTheProgress) {
    runCatalogueTarget(deletion, "Acdsee");
    EXPECT_TRUE(fake.window.lines.empty());
    EXPECT_EQ(fake.window.position, 10);
    EXPECT_FALSE(fake.registry.keyExists(RegistryRoot::CurrentUser, acdseeKey));
}

TEST_F(ApplicationCaches, NonStringDatabasePathEndsTheStageAndTheRunGoesOn) {
    setDatabase("1.0", std::string("C:\\users\\tester\\AppData\\Local\\db1"));
    setDatabase("2.0", int32_t{7});
    setDatabase("3.0", std::string("C:\\users\\tester\\AppData\\Local\\db3"));
    fake.files.addFile("C:\\users\\tester\\AppData\\Local\\db1\\ImageDB.fpt");
    fake.files.addFile("C:\\users\\tester\\AppData\\Local\\db3\\ImageDB.fpt");
    fake.files.addFile(searchCache + "\\index.idx");

    runCatalogueStages(deletion);

    EXPECT_EQ(fake.window.captions(),
              (Strings{hotfixLine, wdiLine, acdseeLine, "C:\\users\\tester\\AppData\\Local\\db1",
                       acrobatLine}));
    EXPECT_TRUE(fake.files.exists("C:\\users\\tester\\AppData\\Local\\db3\\ImageDB.fpt"));
    EXPECT_TRUE(below(searchCache).empty());
}

TEST_F(ApplicationCaches, GoogleEarthKeyIsCreatedEmptyWhenMissing) {
    runCatalogueTarget(deletion, "GoogleEarth");
    EXPECT_TRUE(fake.registry.keyExists(RegistryRoot::CurrentUser, earthKey));
    EXPECT_TRUE(fake.registry.valueNames(earthKey).empty());
    EXPECT_TRUE(fake.window.lines.empty());
    EXPECT_EQ(fake.window.position, 10);
}

TEST_F(ApplicationCaches, GoogleEarthCacheFileGoesWithOrWithoutTrailingBackslash) {
    for (const std::string& cachePath :
         {std::string("C:\\users\\tester\\AppData\\Local\\Earth"),
          std::string("C:\\users\\tester\\AppData\\Local\\Earth\\")}) {
        fake.window.model.clearLines();
        fake.files.addFile("C:\\users\\tester\\AppData\\Local\\Earth\\dbCache.dat");
        fake.files.addFile("C:\\users\\tester\\AppData\\Local\\Earth\\dbCache.dat.bak");
        fake.registry.set(earthKey, "CachePath", cachePath);

        runCatalogueTarget(deletion, "GoogleEarth");

        EXPECT_EQ(fake.window.captions(), Strings{earthLine}) << cachePath;
        EXPECT_EQ(below("C:\\users\\tester\\AppData\\Local\\Earth"),
                  Strings{"C:\\users\\tester\\AppData\\Local\\Earth\\dbCache.dat.bak"})
            << cachePath;
    }
    EXPECT_EQ(model.deletedCount(), 0) << "the cache file is not counted";
    EXPECT_EQ(fake.window.status[1], "");
}

TEST_F(ApplicationCaches, GoogleEarthKeepsAReadOnlyCacheFileWithoutALine) {
    fake.files.addFile("C:\\users\\tester\\AppData\\Local\\Earth\\dbCache.dat", "x",
                       attributes::readOnly);
    fake.registry.set(earthKey, "CachePath",
                      std::string("C:\\users\\tester\\AppData\\Local\\Earth"));
    runCatalogueTarget(deletion, "GoogleEarth");
    EXPECT_TRUE(fake.files.exists("C:\\users\\tester\\AppData\\Local\\Earth\\dbCache.dat"));
    EXPECT_EQ(fake.files.attributesOf("C:\\users\\tester\\AppData\\Local\\Earth\\dbCache.dat"),
              attributes::readOnly);
    EXPECT_TRUE(fake.window.lines.empty());
}

TEST_F(ApplicationCaches, GoogleEarthIgnoresUnusableCachePaths) {
    fake.files.addFile("C:\\dbCache.dat");
    fake.files.addFolder("C:\\users\\tester\\AppData\\Local\\Folder\\dbCache.dat");
    const Value values[] = {std::string(""),
                            std::string("C:\\users\\tester\\AppData\\Local\\Missing"),
                            std::string("C:\\users\\tester\\AppData\\Local\\Folder"), int32_t{1},
                            testing::FakeRegistry::Binary{"C:\\"}};
    for (const auto& value : values) {
        fake.registry.set(earthKey, "CachePath", value);
        runCatalogueTarget(deletion, "GoogleEarth");
    }
    EXPECT_TRUE(fake.window.lines.empty());
    EXPECT_TRUE(fake.files.exists("C:\\dbCache.dat"));
    EXPECT_TRUE(
        fake.files.directoryExists("C:\\users\\tester\\AppData\\Local\\Folder\\dbCache.dat"));
}

TEST_F(ApplicationCaches, NonStringCachePathLetsTheRunGoOn) {
    fake.registry.set(earthKey, "CachePath", int32_t{1});
    fake.files.addFile(searchCache + "\\index.idx");
    runCatalogueStages(deletion);
    EXPECT_EQ(fake.window.captions(), (Strings{hotfixLine, wdiLine, acrobatLine}));
}

TEST_F(ApplicationCaches, StopWaitingAfterTheAcdseeStageSkipsOnlyTheAcrobatStage) {
    for (auto setting :
         {&CleanSettings::Tempfolder, &CleanSettings::Interfolder, &CleanSettings::Errorreport,
          &CleanSettings::Thumbs, &CleanSettings::Firefox, &CleanSettings::Hotfix,
          &CleanSettings::WDIfile, &CleanSettings::Acdsee}) {
        settings.*setting = false;
    }
    fake.files.addFile("C:\\users\\tester\\AppData\\Local\\Earth\\dbCache.dat");
    fake.registry.set(earthKey, "CachePath",
                      std::string("C:\\users\\tester\\AppData\\Local\\Earth"));
    fake.files.addFile(searchCache + "\\index.idx");
    // Stages 2 to 8 pass messages once each; the click is handled at the next pass.
    fake.window.onPump = [this] {
        if (fake.window.pumps > 7) {
            run.stopRequested = true;
        }
    };

    runCatalogueStages(deletion);

    EXPECT_EQ(fake.window.captions(), Strings{earthLine});
    EXPECT_FALSE(fake.files.exists("C:\\users\\tester\\AppData\\Local\\Earth\\dbCache.dat"));
    EXPECT_TRUE(fake.files.exists(searchCache + "\\index.idx"));
}

TEST_F(ApplicationCaches, AcrobatSearchCacheIsEmptiedUnderItsLine) {
    runCatalogueTarget(deletion, "Acrobatreader");
    EXPECT_TRUE(fake.window.lines.empty());

    fake.files.addFile(searchCache + "\\index.idx");
    fake.files.addFile(searchCache + "\\sub\\part.idx");
    runCatalogueTarget(deletion, "Acrobatreader");

    EXPECT_EQ(fake.window.captions(), Strings{acrobatLine});
    EXPECT_TRUE(below(searchCache).empty());
    EXPECT_TRUE(fake.files.directoryExists(searchCache));
}

} // namespace
} // namespace dustbane
