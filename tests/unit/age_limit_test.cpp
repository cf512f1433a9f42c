#include "catalogue_target.h"
#include "engine/clean_driver.h"
#include "engine/search_scan.h"
#include "engine/specific_items.h"
#include "engine_fixture.h"

#include <string>
#include <vector>

namespace dustbane::testing {
namespace {

using Lines = std::vector<RecordingWindow::Line>;
using Strings = std::vector<std::string>;

// Every stage under a limit of 24 hours, with young files (written or only created within it)
// beside old ones.
class AgeLimit : public EngineTest {
  protected:
    AgeLimit() {
        turnOffFixedLocations(settings);
        settings.Agelimit = true;
        settings.Agehours = 24;
        run.keepFrom = hoursAgo(24);
    }

    FileTime hoursAgo(int hours) const {
        return fake.system.now - static_cast<FileTime>(hours) * fileTimeTicksPerHour;
    }
    // Written an hour ago.
    void addYoung(const std::string& path) {
        fake.files.addFile(path);
        fake.files.setTimes(path, hoursAgo(500), hoursAgo(1));
    }
    // Written long ago, but created (copied here) an hour ago.
    void addYoungCopy(const std::string& path) {
        fake.files.addFile(path);
        fake.files.setTimes(path, hoursAgo(1), hoursAgo(500));
    }
    void addOld(const std::string& path) {
        fake.files.addFile(path);
        fake.files.setTimes(path, hoursAgo(25), hoursAgo(25));
    }
    Strings below(const std::string& folder) const { return fake.files.treeBelow(folder); }
};

TEST_F(AgeLimit, AFileIsKeptWhenEitherTimeLiesWithinTheLimit) {
    addOld("C:\\t\\old.tmp");
    addYoung("C:\\t\\written.tmp");
    addYoungCopy("C:\\t\\copied.tmp");
    fake.files.addFile("C:\\t\\edge.tmp");
    fake.files.setTimes("C:\\t\\edge.tmp", hoursAgo(24), hoursAgo(30));
    fake.files.addFile("C:\\t\\past.tmp");
    fake.files.setTimes("C:\\t\\past.tmp", hoursAgo(24) - 1, hoursAgo(24) - 1);

    for (const char* name : {"old.tmp", "written.tmp", "copied.tmp", "edge.tmp", "past.tmp"}) {
        deletion.deleteItem(std::string("C:\\t\\") + name);
    }
    EXPECT_EQ(below("C:\\t"),
              (Strings{"C:\\t\\copied.tmp", "C:\\t\\edge.tmp", "C:\\t\\written.tmp"}));
    EXPECT_EQ(model.deletedCount(), 2);

    run.keepFrom.reset();
    EXPECT_TRUE(deletion.deleteItem("C:\\t\\written.tmp")) << "without the limit age is no matter";
}

TEST_F(AgeLimit, TheTemporaryFolderKeepsYoungFilesAndTheFoldersHoldingThem) {
    const std::string temp = "C:\\users\\tester\\Temp\\";
    settings.Tempfolder = true;
    addOld(temp + "old.tmp");
    addYoung(temp + "young.tmp");
    addOld(temp + "done\\a.tmp");
    addOld(temp + "busy\\a.tmp");
    addYoungCopy(temp + "busy\\deep\\b.tmp");

    runCatalogueTarget(deletion, "Tempfolder");

    EXPECT_EQ(below(temp), (Strings{temp + "busy", temp + "busy\\deep", temp + "busy\\deep\\b.tmp",
                                    temp + "young.tmp"}));
    EXPECT_EQ(model.deletedCount(), 4) << "old.tmp, done with its file, busy\\a.tmp";
}

TEST_F(AgeLimit, HotfixNamePatternsKeepYoungLogsAndUninstallFoldersWithYoungFiles) {
    const std::string windows = "C:\\windows\\";
    settings.Hotfix = true;
    addOld(windows + "KB100.log");
    addYoung(windows + "KB200.log");
    fake.files.addFile(windows + "KB300.log", "x", attributes::readOnly);
    fake.files.setTimes(windows + "KB300.log", hoursAgo(2), hoursAgo(2));
    addOld(windows + "$NtUninstallKB1$\\old.dll");
    addOld(windows + "$NtUninstallKB2$\\old.dll");
    addYoung(windows + "$NtUninstallKB2$\\new.dll");

    runCatalogueTarget(deletion, "Hotfix");

    EXPECT_FALSE(fake.files.exists(windows + "KB100.log"));
    EXPECT_FALSE(fake.files.exists(windows + "$NtUninstallKB1$"));
    EXPECT_EQ(below(windows),
              (Strings{windows + "$NtUninstallKB2$", windows + "$NtUninstallKB2$\\new.dll",
                       windows + "KB200.log", windows + "KB300.log"}));
    EXPECT_EQ(fake.files.attributesOf(windows + "KB300.log"), attributes::readOnly)
        << "a kept file keeps its attributes";
}

TEST_F(AgeLimit, TheGoogleEarthCacheFileGoesOnlyWhenOld) {
    const std::string cache = "C:\\users\\tester\\AppData\\Local\\Earth\\";
    settings.GoogleEarth = true;
    fake.registry.set("Software\\Google\\Google Earth Plus", "CachePath", cache);
    addYoung(cache + "dbCache.dat");

    runCatalogueTarget(deletion, "GoogleEarth");
    EXPECT_TRUE(fake.files.exists(cache + "dbCache.dat"));
    EXPECT_TRUE(fake.window.lines.empty());

    fake.files.setTimes(cache + "dbCache.dat", hoursAgo(48), hoursAgo(48));
    runCatalogueTarget(deletion, "GoogleEarth");
    EXPECT_FALSE(fake.files.exists(cache + "dbCache.dat"));
    EXPECT_EQ(fake.window.captions(), Strings{"10:42:07 Clean Google Earth Cache"});
}

class AgeLimitOfUserStages : public AgeLimit {
  protected:
    AgeLimitOfUserStages() {
        run.listEachItem = true;
        run.recycleAllowed = true;
    }
};

TEST_F(AgeLimitOfUserStages, AFolderToDeleteKeepsYoungFilesUnlistedAndSaysItWasNotAllCleaned) {
    settings.Recycle = false;
    settings.Delfolder = true;
    addOld("C:\\f\\old.txt");
    addYoung("C:\\f\\young.txt");
    addOld("C:\\f\\done\\a.txt");
    addYoungCopy("C:\\f\\busy\\b.txt");
    settings.FolderList = {{"C:\\f", true}};

    cleanSpecificFolders(deletion);

    EXPECT_EQ(fake.window.lines,
              (Lines{{"10:42:07 Successfully Clean C:\\f", LineImage::Note},
                     {"C:\\f\\done\\a.txt", LineImage::FileRemoved},
                     {"C:\\f\\done", LineImage::FolderRemoved},
                     {"C:\\f\\old.txt", LineImage::FileRemoved},
                     {"10:42:07 Not clean all files of C:\\f", LineImage::Warning}}));
    EXPECT_EQ(below("C:\\f"), (Strings{"C:\\f\\busy", "C:\\f\\busy\\b.txt", "C:\\f\\young.txt"}));
    EXPECT_EQ(model.deletedCount(), 3) << "done\\a.txt, done and old.txt";
}

TEST_F(AgeLimitOfUserStages, RecyclingNeverTakesAFolderWholeButItsOldFilesOneByOne) {
    settings.Recycle = true;
    addOld("C:\\f\\sub\\old.txt");
    addYoung("C:\\f\\sub\\young.txt");
    settings.FolderList = {{"C:\\f", true}};

    cleanSpecificFolders(deletion);

    EXPECT_EQ(fake.shell.recycled, Strings{"C:\\f\\sub\\old.txt"});
    EXPECT_EQ(below("C:\\f"), (Strings{"C:\\f\\sub", "C:\\f\\sub\\young.txt"}));
}

TEST_F(AgeLimitOfUserStages, AYoungFileToDeleteStaysWithoutALine) {
    settings.Recycle = false;
    addOld("C:\\a.txt");
    addYoung("C:\\b.txt");
    settings.FileList = {{"C:\\a.txt", true}, {"C:\\b.txt", true}};

    cleanSpecificFiles(deletion);

    EXPECT_EQ(fake.window.lines,
              (Lines{{"10:42:07 Successfully Clean C:\\a.txt", LineImage::Note}}));
    EXPECT_TRUE(fake.files.exists("C:\\b.txt"));
    EXPECT_EQ(model.deletedCount(), 1);
}

TEST_F(AgeLimitOfUserStages, TheSearchKeepsYoungFilesUnlistedAtEveryDepth) {
    settings.Recycle = true;
    addOld("C:\\s\\old.tmp");
    addYoung("C:\\s\\young.tmp");
    addOld("C:\\s\\sub\\a.log");
    addYoungCopy("C:\\s\\sub\\b.log");

    scanSearchPath(deletion, "C:\\s");

    EXPECT_EQ(fake.window.captions(), (Strings{"C:\\s\\old.tmp", "C:\\s\\sub\\a.log"}));
    EXPECT_EQ(fake.shell.recycled, (Strings{"C:\\s\\old.tmp", "C:\\s\\sub\\a.log"}));
    EXPECT_EQ(below("C:\\s"), (Strings{"C:\\s\\sub", "C:\\s\\sub\\b.log", "C:\\s\\young.tmp"}));
    EXPECT_EQ(model.deletedCount(), 2);
}

class AgeLimitOfARun : public AgeLimit {
  protected:
    AgeLimitOfARun() { fake.files.addFolder("C:\\Program Files\\Dustbane"); }

    ProtectedFolders folders{fake.shell, fake.files};
    SettingsSummary summary{settings, language, fake.window.model, folders};
    CleanDriver driver{context, summary, stagesOf(targetCatalogue())};
};

TEST_F(AgeLimitOfARun, TheLimitCountsFromTheRunsStartAndIsNamedInTheConfirmation) {
    run.keepFrom.reset();
    settings.Recycle = false;
    settings.Agehours = 3;
    settings.PathList = {{"C:\\s", true}};
    fake.files.addFile("C:\\s\\a.tmp");
    fake.files.setTimes("C:\\s\\a.tmp", hoursAgo(4), hoursAgo(4));
    addYoung("C:\\s\\b.tmp");
    summary.rebuild();
    fake.prompter.answers = {answer::yes};

    driver.runTick();

    ASSERT_FALSE(fake.prompter.questions.empty());
    EXPECT_NE(fake.prompter.questions[0].text.find("\nOnly delete files older than 3 hours\n"),
              std::string::npos)
        << fake.prompter.questions[0].text;
    EXPECT_EQ(below("C:\\s"), Strings{"C:\\s\\b.tmp"});
    EXPECT_EQ(run.keepFrom, hoursAgo(3));

    settings.Agelimit = false;
    driver.runUnattended(CleanDriver::BinStep::Keep);
    EXPECT_FALSE(fake.files.exists("C:\\s\\b.tmp")) << "the next run without the limit";
}

} // namespace
} // namespace dustbane::testing
