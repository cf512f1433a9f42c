#include "engine/specific_items.h"
#include "engine_fixture.h"

#include <vector>

namespace dustbane::testing {
namespace {

using Lines = std::vector<RecordingWindow::Line>;

class SpecificItemsTest : public EngineTest {
  protected:
    SpecificItemsTest() {
        run.listEachItem = true;
        run.recycleAllowed = true;
    }
};

TEST_F(SpecificItemsTest, AFolderIsEmptiedBetweenItsOpeningAndClosingLines) {
    fake.files.addFile("C:\\f\\a.txt");
    fake.files.addFile("C:\\f\\sub\\b.txt");
    settings.FolderList = {{"C:\\f", true}};

    cleanSpecificFolders(deletion);
    EXPECT_EQ(fake.window.lines, (Lines{{"10:42:07 Successfully Clean C:\\f", LineImage::Note},
                                        {"C:\\f\\a.txt", LineImage::FileRemoved},
                                        {"C:\\f\\sub", LineImage::FolderRemoved},
                                        {"10:42:07 Clean C:\\f", LineImage::Note}}));
    EXPECT_TRUE(fake.files.directoryExists("C:\\f"));
    EXPECT_TRUE(fake.files.treeBelow("C:\\f").empty());
    EXPECT_EQ(run.rootFolder, "C:\\f");
}

TEST_F(SpecificItemsTest, AProtectedFolderIsRefusedWithAWarningAndTheNotCleanLine) {
    fake.files.addFile("C:\\precious.txt");
    fake.files.addFile("C:\\keep\\db\\data.txt");
    fake.files.addFile("C:\\users\\tester\\notes.txt");
    fake.files.addFile("C:\\windows\\system32\\kernel32.dll");
    fake.files.addFile("C:\\ProgramData\\app\\state.dat");
    // Each names a protected folder once "." and ".." and doubled separators are resolved.
    const std::vector<std::pair<std::string, std::string>> refused{
        {"C:\\", "C:\\"},
        {"C:\\keep\\..\\", "C:\\"},
        {"C:\\keep\\db\\..\\..", "C:\\"},
        {"C:\\users\\tester", "C:\\users\\tester"},
        {"C:\\USERS\\.\\Tester\\", "C:\\USERS\\Tester\\"},
        {"C:\\windows\\\\System32", "C:\\windows\\System32"},
        {"\\\\?\\C:\\ProgramData", "C:\\ProgramData"},
        {"C:\\users", "C:\\users"},
    };
    for (const auto& [entered, canonical] : refused) {
        fake.window.model.clearLines();
        settings.FolderList = {{entered, true}};
        cleanSpecificFolders(deletion);
        EXPECT_EQ(
            fake.window.lines,
            (Lines{{"10:42:07 Successfully Clean " + canonical, LineImage::Note},
                   {"10:42:07 Protected folder, not cleaned: " + canonical, LineImage::Warning},
                   {"10:42:07 Not clean all files of " + canonical, LineImage::Warning}}))
            << entered;
    }
    EXPECT_EQ(fake.files.treeBelow("C:\\keep"),
              (std::vector<std::string>{"C:\\keep\\db", "C:\\keep\\db\\data.txt"}));
    EXPECT_TRUE(fake.files.exists("C:\\precious.txt"));
    EXPECT_TRUE(fake.files.exists("C:\\users\\tester\\notes.txt"));
    EXPECT_TRUE(fake.files.exists("C:\\windows\\system32\\kernel32.dll"));
    EXPECT_TRUE(fake.files.exists("C:\\ProgramData\\app\\state.dat"));
}

TEST_F(SpecificItemsTest, DelfolderRemovesTheFolderUnlessSomethingInsideStays) {
    settings.Delfolder = true;
    settings.Display = false;
    fake.files.addFile("C:\\gone\\a.txt");
    fake.files.addFile("C:\\kept\\a.txt");
    fake.files.addFile("C:\\kept\\locked.db");
    fake.files.lock("C:\\kept\\locked.db");
    settings.FolderList = {{"C:\\gone", true}, {"C:\\kept", true}};

    cleanSpecificFolders(deletion);
    EXPECT_FALSE(fake.files.exists("C:\\gone"));
    EXPECT_EQ(fake.files.treeBelow("C:\\kept"), std::vector<std::string>{"C:\\kept\\locked.db"});
    EXPECT_EQ(
        fake.window.captions(),
        (std::vector<std::string>{"10:42:07 Successfully Clean C:\\gone", "10:42:07 Clean C:\\gone",
                                  "10:42:07 Successfully Clean C:\\kept",
                                  "10:42:07 Not clean all files of C:\\kept"}));
    EXPECT_EQ(run.rootFolder, "");
}

TEST_F(SpecificItemsTest, UncheckedAndMissingEntriesLeaveNoTrace) {
    fake.files.addFile("C:\\off\\a.txt");
    fake.files.addFile("C:\\off.txt");
    fake.files.addFolder("C:\\folder.txt");
    settings.FolderList = {{"C:\\off", false}, {"C:\\missing", true}, {"C:\\off.txt", true}};
    settings.FileList = {
        {"C:\\off.txt", false}, {"C:\\missing.txt", true}, {"C:\\folder.txt", true}};

    cleanSpecificFolders(deletion);
    cleanSpecificFiles(deletion);
    EXPECT_TRUE(fake.window.lines.empty());
    EXPECT_TRUE(fake.files.exists("C:\\off\\a.txt"));
    EXPECT_TRUE(fake.files.exists("C:\\off.txt"));
    EXPECT_TRUE(fake.files.exists("C:\\folder.txt"));
}

TEST_F(SpecificItemsTest, AfterAStopEveryRemainingFolderStillGetsItsTwoLines) {
    fake.files.addFile("C:\\f1\\a.txt");
    fake.files.addFile("C:\\f2\\b.txt");
    settings.FolderList = {{"C:\\f1", true}, {"C:\\f2", true}};
    run.stopRequested = true;

    cleanSpecificFolders(deletion);
    EXPECT_EQ(
        fake.window.captions(),
        (std::vector<std::string>{"10:42:07 Successfully Clean C:\\f1", "10:42:07 Clean C:\\f1",
                                  "10:42:07 Successfully Clean C:\\f2", "10:42:07 Clean C:\\f2"}));
    EXPECT_TRUE(fake.files.exists("C:\\f1\\a.txt"));
    EXPECT_TRUE(fake.files.exists("C:\\f2\\b.txt"));
}

TEST_F(SpecificItemsTest, FilesAreDeletedEvenReadOnlyAndLockedOnesReported) {
    settings.Recycle = false;
    fake.files.addFile("C:\\d\\ro.txt", "x", attributes::readOnly);
    fake.files.addFile("C:\\d\\busy.txt");
    fake.files.lock("C:\\d\\busy.txt");
    settings.FileList = {{"C:\\d\\busy.txt", true}, {"C:\\d\\ro.txt", true}};

    cleanSpecificFiles(deletion);
    EXPECT_EQ(fake.window.lines,
              (Lines{{"10:42:07 Not clean C:\\d\\busy.txt", LineImage::FileRemoved},
                     {"10:42:07 Successfully Clean C:\\d\\ro.txt", LineImage::Note}}));
    EXPECT_FALSE(fake.files.exists("C:\\d\\ro.txt"));
    EXPECT_TRUE(fake.shell.recycled.empty());
    EXPECT_EQ(model.deletedCount(), 1);
}

TEST_F(SpecificItemsTest, ListsEditedWhileTheStagePumpsAreReadSafely) {
    fake.files.addFile("C:\\f1\\a.txt");
    fake.files.addFile("C:\\f2\\b.txt");
    fake.files.addFile("C:\\x.txt");
    fake.files.addFile("C:\\y.txt");
    settings.FolderList = {{"C:\\f1", true}, {"C:\\f2", true}};
    settings.FileList = {{"C:\\x.txt", true}, {"C:\\y.txt", true}};
    fake.window.onPump = [this] {
        settings.FolderList.clear();
        settings.FileList.clear();
    };

    cleanSpecificFolders(deletion);
    cleanSpecificFiles(deletion);
    EXPECT_FALSE(fake.files.exists("C:\\f1\\a.txt"));
    EXPECT_TRUE(fake.files.exists("C:\\f2\\b.txt"));
    EXPECT_TRUE(fake.files.exists("C:\\y.txt"));
}

} // namespace
} // namespace dustbane::testing
