#include "engine/run_status.h"
#include "engine_fixture.h"

#include <vector>

namespace dustbane::testing {
namespace {

using Lines = std::vector<RecordingWindow::Line>;

class DeletionTest : public EngineTest {};

TEST_F(DeletionTest, DeleteItemShowsTheItemCountsItAndHonoursTheRecycleBinOnlyWhenAllowed) {
    fake.files.addFile("C:\\data\\a.txt");
    fake.files.addFile("C:\\data\\b.txt");
    settings.Recycle = true;

    EXPECT_TRUE(deletion.deleteItem("C:\\data\\a.txt"));
    EXPECT_TRUE(fake.shell.recycled.empty()); // the run has not allowed the bin yet
    EXPECT_EQ(fake.window.status[0], "Cleaning C:\\data\\a.txt");
    EXPECT_EQ(fake.window.status[1], "Deleted 1");

    run.recycleAllowed = true;
    EXPECT_TRUE(deletion.deleteItem("C:\\data\\b.txt"));
    EXPECT_EQ(fake.shell.recycled, std::vector<std::string>{"C:\\data\\b.txt"});
    EXPECT_EQ(fake.window.status[1], "Deleted 2");

    EXPECT_FALSE(deletion.deleteItem("C:\\data\\missing.txt"));
    EXPECT_EQ(model.deletedCount(), 2);
    EXPECT_EQ(fake.window.status[1], "Deleted 2");
}

TEST_F(DeletionTest, PermanentDeletionGoesThroughTheFileSystemWhateverTheName) {
    fake.files.addFile("C:\\data\\ro.txt", "x", attributes::readOnly);
    const std::string deep =
        "C:\\data\\" + std::string(150, 'a') + "\\" + std::string(150, 'b') + ".txt";
    fake.files.addFile(deep);
    fake.files.addFile("C:\\data\\twin", "keep");
    fake.files.addFile("C:\\data\\twin.", "");

    EXPECT_TRUE(deletion.deleteItem("C:\\data\\ro.txt"));
    EXPECT_TRUE(deletion.deleteItem(deep));
    EXPECT_TRUE(deletion.deleteItem("C:\\data\\twin."));
    EXPECT_FALSE(fake.files.exists("C:\\data\\ro.txt"));
    EXPECT_FALSE(fake.files.exists(deep));
    EXPECT_FALSE(fake.files.exists("C:\\data\\twin."));
    EXPECT_EQ(fake.files.contentsOf("C:\\data\\twin"), "keep");
    EXPECT_TRUE(fake.shell.recycleCalls.empty());
}

TEST_F(DeletionTest, TheRecycleBinGetsOnlyNamesTheShellReadsAsTheyAre) {
    run.recycleAllowed = true;
    const std::string deep =
        "C:\\data\\" + std::string(150, 'a') + "\\" + std::string(150, 'b') + ".txt";
    const std::vector<std::string> kept{"C:\\data\\twin.", "C:\\data\\note ", "C:\\data\\aux.txt",
                                        "C:\\data\\abc.\\inside.txt", deep};
    for (const std::string& path : kept) {
        fake.files.addFile(path, "");
    }
    fake.files.addFile("C:\\data\\twin", "keep");
    fake.files.addFile("C:\\data\\note", "keep");
    fake.files.addFile("C:\\data\\abc\\inside.txt", "keep");
    fake.files.addFile("C:\\data\\plain.txt");

    for (const std::string& path : kept) {
        EXPECT_FALSE(deletion.deleteItem(path)) << path;
        EXPECT_TRUE(fake.files.exists(path)) << path;
        EXPECT_EQ(
            fake.window.lines.back(),
            (RecordingWindow::Line{"10:42:07 Kept, the Recycle Bin cannot take this name: " + path,
                                   LineImage::Warning}));
    }
    EXPECT_FALSE(deletion.deleteItem("C:\\data\\abc."));
    // Inside a cleaned folder too, an empty twin is kept, never removed for good instead.
    fake.files.addFolder("C:\\clean\\empty.");
    run.rootFolder = "C:\\clean";
    EXPECT_FALSE(deletion.cleanFolder("C:\\clean"));
    EXPECT_TRUE(fake.files.directoryExists("C:\\clean\\empty."));
    EXPECT_TRUE(deletion.deleteItem("C:\\data\\plain.txt"));
    EXPECT_EQ(fake.shell.recycleCalls, std::vector<std::string>{"C:\\data\\plain.txt"});
    EXPECT_EQ(fake.shell.recycled, std::vector<std::string>{"C:\\data\\plain.txt"});
    for (const char* twin : {"C:\\data\\twin", "C:\\data\\note", "C:\\data\\abc\\inside.txt"}) {
        EXPECT_EQ(fake.files.contentsOf(twin), "keep") << twin;
    }
    EXPECT_EQ(model.deletedCount(), 1);
}

TEST_F(DeletionTest, CleanFolderRefusesDriveRootsButTakesFourCharacterPaths) {
    fake.files.addFile("C:\\top.txt");
    fake.files.addFile("C:\\ab\\in.txt");

    EXPECT_FALSE(deletion.cleanFolder("C:\\"));
    EXPECT_FALSE(deletion.cleanFolder("C:"));
    EXPECT_TRUE(fake.files.exists("C:\\top.txt"));
    EXPECT_TRUE(fake.files.listedFolders().empty());

    EXPECT_TRUE(deletion.cleanFolder("C:\\ab"));
    EXPECT_FALSE(fake.files.exists("C:\\ab"));
    EXPECT_TRUE(fake.files.exists("C:\\top.txt"));
}

TEST_F(DeletionTest, CleanFolderLeavesDotNamesAndKeepsTheirFolder) {
    fake.files.addFile("C:\\work\\.keep");
    fake.files.addFile("C:\\work\\.git\\config");
    fake.files.addFile("C:\\work\\gone.txt");

    EXPECT_FALSE(deletion.cleanFolder("C:\\work"));
    EXPECT_EQ(
        fake.files.treeBelow("C:\\work"),
        (std::vector<std::string>{"C:\\work\\.git", "C:\\work\\.git\\config", "C:\\work\\.keep"}));
}

TEST_F(DeletionTest, CleanFolderDeletesReadOnlyFilesPermanentlyWhileRecycleIsNotAllowed) {
    settings.Recycle = true;
    fake.files.addFile("C:\\work\\ro.txt", "x", attributes::readOnly | attributes::hidden);
    fake.files.addFile("C:\\work\\sub\\x.txt");
    run.rootFolder = "C:\\work";

    EXPECT_TRUE(deletion.cleanFolder("C:\\work"));
    EXPECT_TRUE(fake.files.treeBelow("C:\\work").empty());
    EXPECT_TRUE(fake.files.exists("C:\\work"));
    EXPECT_TRUE(fake.shell.recycled.empty());
    EXPECT_EQ(model.deletedCount(), 2);
    EXPECT_EQ(fake.window.status[1], "Deleted 2");
}

TEST_F(DeletionTest, LockedFileKeepsOnlyItselfAndItsParents) {
    fake.files.addFile("C:\\work\\a.txt");
    fake.files.addFile("C:\\work\\sub\\deep\\locked.db");
    fake.files.addFile("C:\\work\\sub\\deep\\other.txt");
    fake.files.addFile("C:\\work\\sub\\sibling\\s.txt");
    fake.files.addFile("C:\\work\\z.txt");
    fake.files.lock("C:\\work\\sub\\deep\\locked.db");
    run.rootFolder = "C:\\work";

    EXPECT_FALSE(deletion.cleanFolder("C:\\work"));
    EXPECT_EQ(fake.files.treeBelow("C:\\work"),
              (std::vector<std::string>{"C:\\work\\sub", "C:\\work\\sub\\deep",
                                        "C:\\work\\sub\\deep\\locked.db"}));
    EXPECT_TRUE(fake.shell.recycleCalls.empty());
    EXPECT_FALSE(fake.files.removeDirectory("C:\\work\\sub"));
}

struct FolderDecision {
    const char* name;
    bool rootIsArgument;
    bool delfolder;
    bool locked;
    bool expectedResult;
    bool folderRemains;
};

class CleanFolderDecision : public DeletionTest,
                            public ::testing::WithParamInterface<FolderDecision> {};

TEST_P(CleanFolderDecision, FolderItselfAndResult) {
    const FolderDecision& c = GetParam();
    fake.files.addFile("C:\\work\\a.txt");
    fake.files.addFile("C:\\work\\b.txt");
    if (c.locked) {
        fake.files.lock("C:\\work\\b.txt");
    }
    settings.Delfolder = c.delfolder;
    run.rootFolder = c.rootIsArgument ? "C:\\work" : "C:\\elsewhere";

    EXPECT_EQ(deletion.cleanFolder("C:\\work"), c.expectedResult);
    EXPECT_EQ(fake.files.directoryExists("C:\\work"), c.folderRemains);
    EXPECT_FALSE(fake.files.exists("C:\\work\\a.txt"));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CleanFolderDecision,
    ::testing::Values(FolderDecision{"RootKeptWhenAllWent", true, false, false, true, true},
                      FolderDecision{"RootKeptWithLeftover", true, false, true, false, true},
                      FolderDecision{"RootRemovedWithDelfolder", true, true, false, true, false},
                      FolderDecision{"RootWithDelfolderAndLeftover", true, true, true, false, true},
                      FolderDecision{"NestedRemoved", false, false, false, true, false},
                      FolderDecision{"NestedWithLeftover", false, false, true, false, true},
                      FolderDecision{"NestedIgnoresDelfolder", false, true, false, true, false}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(DeletionTest, RootFolderIsComparedExactlyAsPassed) {
    fake.files.addFile("C:\\work\\a.txt");
    run.rootFolder = "C:\\Work";
    EXPECT_TRUE(deletion.cleanFolder("C:\\work"));
    EXPECT_FALSE(fake.files.exists("C:\\work")); // another case counts as another folder
}

TEST_F(DeletionTest, StopEndsTheWalkAtTheFirstEntryAfterIt) {
    fake.files.addFile("C:\\work\\a.txt");
    fake.files.addFile("C:\\work\\b.txt");
    fake.files.addFile("C:\\work\\c.txt");
    run.rootFolder = "C:\\work";
    stopAtPump(4); // ".", "..", a.txt, then the Stop click handled before b.txt

    EXPECT_TRUE(deletion.cleanFolder("C:\\work"));
    EXPECT_EQ(fake.files.treeBelow("C:\\work"),
              (std::vector<std::string>{"C:\\work\\b.txt", "C:\\work\\c.txt"}));
}

TEST_F(DeletionTest, StoppedFromTheStartTouchesNothing) {
    fake.files.addFile("C:\\work\\a.txt");
    run.rootFolder = "C:\\work";
    run.stopRequested = true;
    EXPECT_TRUE(deletion.cleanFolder("C:\\work"));
    settings.Delfolder = true;
    EXPECT_FALSE(deletion.cleanFolder("C:\\work"));
    EXPECT_TRUE(fake.files.exists("C:\\work\\a.txt"));
}

TEST_F(DeletionTest, ItemLinesOnlyWhenDisplayAndListingAreBothOn) {
    auto fill = [this] {
        fake.files.addFile("C:\\work\\f.txt");
        fake.files.addFile("C:\\work\\sub\\g.txt");
    };
    run.rootFolder = "C:\\work";
    fill();
    run.listEachItem = true;
    settings.Display = false;
    deletion.cleanFolder("C:\\work");
    EXPECT_TRUE(fake.window.lines.empty());

    fill();
    settings.Display = true;
    run.listEachItem = false;
    deletion.cleanFolder("C:\\work");
    EXPECT_TRUE(fake.window.lines.empty());

    fill();
    run.listEachItem = true;
    deletion.cleanFolder("C:\\work");
    EXPECT_EQ(fake.window.lines, (Lines{{"C:\\work\\f.txt", LineImage::FileRemoved},
                                        {"C:\\work\\sub", LineImage::FolderRemoved}}));
}

TEST_F(DeletionTest, RecycledFilesAndFoldersGoToTheBinWhenAllowed) {
    settings.Recycle = true;
    run.recycleAllowed = true;
    fake.files.addFile("C:\\work\\f.txt");
    fake.files.addFile("C:\\work\\sub\\g.txt");
    run.rootFolder = "C:\\work";

    EXPECT_TRUE(deletion.cleanFolder("C:\\work"));
    EXPECT_EQ(fake.shell.recycled, (std::vector<std::string>{"C:\\work\\f.txt", "C:\\work\\sub"}));
}

TEST_F(DeletionTest, ProgressAdvancesPerFileOnlyAndWrapsAtTheMaximum) {
    fake.files.addFile("C:\\work\\a.txt");
    fake.files.addFile("C:\\work\\b.txt");
    fake.files.addFolder("C:\\work\\c");
    fake.window.model.setProgressPosition(498);
    run.rootFolder = "C:\\work";

    deletion.cleanFolder("C:\\work");
    EXPECT_EQ(fake.window.position, 0); // 499, then 500 wraps; the folder adds nothing

    fake.window.model.setProgressPosition(100);
    advanceProgress(model, 10);
    EXPECT_EQ(fake.window.position, 110);
}

// A folder outside the cleaned tree that a link inside it points at.
class LinkTest : public DeletionTest {
  protected:
    LinkTest() {
        fake.files.addFile("D:\\precious\\one.doc");
        fake.files.addFile("D:\\precious\\inner\\two.doc");
    }
    void expectPreciousIntact() {
        EXPECT_EQ(fake.files.treeBelow("D:\\precious"),
                  (std::vector<std::string>{"D:\\precious\\inner", "D:\\precious\\inner\\two.doc",
                                            "D:\\precious\\one.doc"}));
    }
};

TEST_F(LinkTest, ALinkDeepInACleanedFolderIsRemovedAsALink) {
    fake.files.addFile("C:\\work\\sub\\x.txt");
    fake.files.addFolderLink("C:\\work\\sub\\deeper\\jump", "D:\\precious");
    fake.files.addFolderLink("C:\\work\\top", "D:\\precious");
    run.rootFolder = "C:\\work";
    run.listEachItem = true;

    EXPECT_TRUE(deletion.cleanFolder("C:\\work"));
    expectPreciousIntact();
    EXPECT_TRUE(fake.files.treeBelow("C:\\work").empty());
    // The shell was never handed a tree with a link in it, nor a link.
    for (const auto& path : fake.shell.recycleCalls) {
        EXPECT_NE(path, "C:\\work\\sub");
        EXPECT_NE(path, "C:\\work\\top");
    }
    EXPECT_FALSE(fake.files.listedFolders().empty());
    for (const auto& listed : fake.files.listedFolders()) {
        EXPECT_EQ(listed.find("jump"), std::string::npos) << listed;
        EXPECT_EQ(listed.find("top"), std::string::npos) << listed;
    }
    // Removed whole through the file system, the link as a link: one folder, one line.
    EXPECT_EQ(fake.window.lines.front(),
              (RecordingWindow::Line{"C:\\work\\sub", LineImage::FolderRemoved}));
}

TEST_F(LinkTest, AFolderEmptiedEntryByEntryAndRemovedIsOneDeletedFolder) {
    // Recycled, a tree holding a link is not handed to the shell whole.
    run.recycleAllowed = true;
    run.listEachItem = true;
    run.rootFolder = "C:\\work";
    fake.files.addFile("C:\\work\\sub\\x.txt");
    fake.files.addFolderLink("C:\\work\\sub\\jump", "D:\\precious");

    EXPECT_TRUE(deletion.cleanFolder("C:\\work"));
    expectPreciousIntact();
    EXPECT_EQ(fake.window.lines, (Lines{{"C:\\work\\sub\\jump", LineImage::FolderRemoved},
                                        {"C:\\work\\sub\\x.txt", LineImage::FileRemoved},
                                        {"C:\\work\\sub", LineImage::FolderRemoved}}));
    EXPECT_EQ(model.deletedCount(), 3);
    EXPECT_EQ(fake.window.status[1], "Deleted 3");
}

TEST_F(LinkTest, DeleteItemOnALinkRemovesOnlyTheLink) {
    fake.files.addFolderLink("C:\\work\\jump", "D:\\precious");
    EXPECT_TRUE(deletion.deleteItem("C:\\work\\jump"));
    EXPECT_FALSE(fake.files.exists("C:\\work\\jump"));
    expectPreciousIntact();
    EXPECT_EQ(model.deletedCount(), 1);
}

TEST_F(LinkTest, ALoopOfLinksEnds) {
    fake.files.addFile("C:\\work\\a\\f.txt");
    fake.files.addFolderLink("C:\\work\\a\\back", "C:\\work");
    fake.files.addFolderLink("C:\\work\\a\\out", "D:\\precious");
    run.rootFolder = "C:\\work";

    EXPECT_TRUE(deletion.cleanFolder("C:\\work"));
    EXPECT_TRUE(fake.files.treeBelow("C:\\work").empty());
    expectPreciousIntact();
}

TEST_F(LinkTest, NamedSubfolderWalkDoesNotEnterLinks) {
    fake.files.addFile("D:\\precious\\Cache\\keep.bin");
    fake.files.addFile("D:\\precious\\index.dat");
    fake.files.addFolderLink("C:\\app\\Cache", "D:\\precious");
    fake.files.addFolderLink("C:\\app\\profile\\jump", "D:\\precious");

    deletion.cleanNamedSubfolders("C:\\app", "Cache", "index.dat");
    EXPECT_TRUE(fake.files.exists("D:\\precious\\Cache\\keep.bin"));
    EXPECT_TRUE(fake.files.exists("D:\\precious\\index.dat"));
    EXPECT_TRUE(fake.files.exists("D:\\precious\\one.doc"));
}

TEST_F(DeletionTest, NamedSubfoldersAreCleanedAndNamedFilesDeletedAtAnyDepth) {
    fake.files.addFile("C:\\app\\Cache\\a.bin");
    fake.files.addFile("C:\\app\\Cache\\Cache\\b.bin");
    fake.files.addFile("C:\\app\\p1\\Cache\\c.bin");
    fake.files.addFile("C:\\app\\p1\\index.dat");
    fake.files.addFile("C:\\app\\p2\\.Cache\\hidden.bin");
    fake.files.addFile("C:\\app\\p3\\cache\\keep.bin");
    fake.files.addFile("C:\\app\\p3\\Index.dat");
    run.listEachItem = true;

    deletion.cleanNamedSubfolders("C:\\app", "Cache", "index.dat");

    EXPECT_EQ(fake.files.treeBelow("C:\\app"),
              (std::vector<std::string>{
                  "C:\\app\\Cache", "C:\\app\\p1", "C:\\app\\p1\\Cache", "C:\\app\\p2",
                  "C:\\app\\p2\\.Cache", "C:\\app\\p2\\.Cache\\hidden.bin", "C:\\app\\p3",
                  "C:\\app\\p3\\cache", "C:\\app\\p3\\cache\\keep.bin", "C:\\app\\p3\\Index.dat"}));
    EXPECT_EQ(run.rootFolder, "C:\\app\\p1\\Cache");
    EXPECT_EQ(fake.window.lines, (Lines{{"C:\\app\\Cache\\a.bin", LineImage::FileRemoved},
                                        {"C:\\app\\Cache\\Cache", LineImage::FolderRemoved},
                                        {"C:\\app\\p1\\Cache\\c.bin", LineImage::FileRemoved},
                                        {"C:\\app\\p1\\index.dat", LineImage::FileRemoved}}));
}

} // namespace
} // namespace dustbane::testing
