#include "analysis/preview_file_system.h"
#include "analysis/preview_shell.h"
#include "analysis/read_only_registry.h"
#include "fakes/fake_platform.h"

#include <gtest/gtest.h>
#include <map>

namespace dustbane::testing {
namespace {

class PreviewFileSystemTest : public ::testing::Test {
  protected:
    std::vector<std::string> listed(const std::string& folder) {
        std::vector<std::string> names;
        auto listing = preview.list(folder);
        DirectoryEntry entry;
        while (listing && listing->next(entry)) {
            names.push_back(entry.name);
        }
        return names;
    }

    FakePlatform fake;
    PreviewFileSystem preview{fake.files};
    PreviewShell shell{fake.shell, preview};
};

TEST_F(PreviewFileSystemTest, AFolderGoesOnPaperOnlyOnceItsContentsWent) {
    fake.files.addFile("C:\\f\\a.txt", "aa");
    fake.files.addFile("C:\\f\\.dot", "d");

    EXPECT_FALSE(preview.removeDirectory("C:\\f"));
    EXPECT_TRUE(preview.deleteFile("C:\\f\\a.txt"));
    EXPECT_FALSE(preview.fileExists("C:\\f\\a.txt"));
    EXPECT_EQ(listed("C:\\f"), (std::vector<std::string>{".", "..", ".dot"}));
    // A dot name left behind keeps the folder, as on disk.
    EXPECT_FALSE(preview.removeDirectory("C:\\f\\"));
    EXPECT_TRUE(preview.deleteFile("C:\\f\\.dot"));
    EXPECT_TRUE(preview.removeDirectory("C:\\f\\"));
    EXPECT_FALSE(preview.directoryExists("C:\\F"));
    EXPECT_EQ(preview.list("C:\\f"), nullptr);

    EXPECT_TRUE(fake.files.exists("C:\\f\\a.txt"));
    EXPECT_TRUE(fake.files.exists("C:\\f\\.dot"));
}

TEST_F(PreviewFileSystemTest, ReadOnlyFilesGoOnlyAfterAResetThatIsNeverMade) {
    fake.files.addFile("C:\\ro.txt", "abc", attributes::readOnly);
    EXPECT_FALSE(preview.deleteFile("C:\\ro.txt"));
    EXPECT_TRUE(preview.setNormalAttributes("C:\\ro.txt"));
    EXPECT_EQ(preview.attributesOf("C:\\ro.txt"), attributes::normal);
    EXPECT_TRUE(preview.deleteFile("C:\\ro.txt"));
    EXPECT_EQ(fake.files.attributesOf("C:\\ro.txt"), attributes::readOnly);
}

TEST_F(PreviewFileSystemTest, TheShellMoveOfAFolderFailsWholeWhenSomethingInsideIsHeld) {
    fake.files.addFile("C:\\t\\sub\\held.dat", "123");
    fake.files.addFile("C:\\t\\sub\\free.dat", "45");
    fake.files.lock("C:\\t\\sub\\held.dat");
    EXPECT_EQ(shell.recycleItem("C:\\t\\sub"), 32);
    EXPECT_TRUE(preview.directoryExists("C:\\t\\sub"));

    fake.files.addFile("C:\\t\\other\\x.dat", "12345");
    fake.files.addFolderLink("C:\\t\\other\\link", "C:\\t\\sub");
    EXPECT_EQ(shell.recycleItem("C:\\t\\other"), 0);
    EXPECT_FALSE(preview.directoryExists("C:\\t\\other"));
    EXPECT_EQ(shell.recycleItem("C:\\t\\other\\x.dat"), 2);
    EXPECT_TRUE(fake.shell.recycleCalls.empty());
}

// The real file system under a preview, counting the calls a delete costs.
class CountingFileSystem : public ForwardingFileSystem {
  public:
    using ForwardingFileSystem::ForwardingFileSystem;

    std::optional<uint32_t> attributesOf(const std::string& path) const override {
        ++attributeCalls;
        return ForwardingFileSystem::attributesOf(path);
    }
    bool canDelete(const std::string& path) const override {
        ++probes;
        return ForwardingFileSystem::canDelete(path);
    }

    mutable int attributeCalls = 0;
    mutable int probes = 0;
};

// A folder's entries deleted as the run deletes them: each right after the listing hands it
// out, a read-only file after a reset, a folder by removal.
class PreviewOfListedEntriesTest : public ::testing::Test {
  protected:
    std::map<std::string, bool> deleteEachListed(const std::string& folder) {
        std::map<std::string, bool> decisions;
        auto listing = preview.list(folder);
        DirectoryEntry entry;
        while (listing && listing->next(entry)) {
            if (entry.name == "." || entry.name == "..") {
                continue;
            }
            const std::string path = folder + entry.name;
            if (entry.isDirectory()) {
                decisions[entry.name] = preview.removeDirectory(path);
                continue;
            }
            if (entry.attributes & attributes::readOnly) {
                preview.setNormalAttributes(path);
            }
            decisions[entry.name] = preview.deleteFile(path);
        }
        return decisions;
    }

    // What decide answers for each entry the preview lists in the folder, by name.
    template <typename Decide> auto eachListed(const std::string& folder, Decide decide) {
        std::map<std::string, decltype(decide(std::string()))> answers;
        auto listing = preview.list(folder);
        DirectoryEntry entry;
        while (listing->next(entry)) {
            if (entry.name != "." && entry.name != "..") {
                answers[entry.name] = decide(folder + entry.name);
            }
        }
        return answers;
    }

    FakeFileSystem disk;
    CountingFileSystem counting{disk};
    PreviewFileSystem preview{counting};
    FakeShell diskShell{disk};
    PreviewShell shell{diskShell, preview};
};

TEST_F(PreviewOfListedEntriesTest, DecideAsOnDiskWithOneProbeEachAndNoAttributeCall) {
    disk.addFile("C:\\f\\plain.tmp");
    disk.addFile("C:\\f\\held.tmp");
    disk.lock("C:\\f\\held.tmp");
    disk.addFile("C:\\f\\ro.tmp", "x", attributes::readOnly);
    disk.addFolder("C:\\f\\empty");
    disk.addFile("C:\\f\\full\\inside.dat");
    disk.addFolderLink("C:\\f\\link", "C:\\f\\full");

    const std::map<std::string, bool> expected{{"plain.tmp", true}, {"held.tmp", false},
                                               {"ro.tmp", true},    {"empty", true},
                                               {"full", false},     {"link", true}};
    EXPECT_EQ(deleteEachListed("C:\\f\\"), expected);
    EXPECT_EQ(counting.attributeCalls, 0);
    // One probe per file and per folder that can go; the full folder stops at its contents.
    EXPECT_EQ(counting.probes, 5);
    EXPECT_EQ(disk.treeBelow("C:\\f").size(), 7u);
}

TEST_F(PreviewOfListedEntriesTest, AMoveToTheRecycleBinOfAListedFileAsksNothingMore) {
    disk.addFile("C:\\f\\a.tmp");
    disk.addFile("C:\\f\\held.tmp");
    disk.lock("C:\\f\\held.tmp");
    const auto results =
        eachListed("C:\\f\\", [&](const std::string& path) { return shell.recycleItem(path); });
    EXPECT_EQ(results, (std::map<std::string, int>{{"a.tmp", 0}, {"held.tmp", 32}}));
    EXPECT_EQ(counting.attributeCalls, 0);
    EXPECT_TRUE(diskShell.recycleCalls.empty());
}

TEST_F(PreviewOfListedEntriesTest, ReadOnlyFileWithoutResetAndListedFolderAsFileAreRefused) {
    disk.addFile("C:\\f\\ro.tmp", "x", attributes::readOnly);
    disk.addFolder("C:\\f\\sub");
    const auto decisions =
        eachListed("C:\\f\\", [&](const std::string& path) { return preview.deleteFile(path); });
    EXPECT_EQ(decisions, (std::map<std::string, bool>{{"ro.tmp", false}, {"sub", false}}));
    EXPECT_EQ(counting.attributeCalls, 0);
}

TEST_F(PreviewOfListedEntriesTest, AnEntryGoneSinceItsListingIsRefused) {
    disk.addFile("C:\\f\\a.tmp");
    disk.addFile("C:\\f\\b.tmp");
    auto listing = preview.list("C:\\f\\");
    DirectoryEntry entry;
    while (listing->next(entry) && entry.name != "a.tmp") {
    }
    EXPECT_TRUE(preview.deleteFile("C:\\f\\a.tmp"));
    // Already deleted on paper.
    EXPECT_FALSE(preview.deleteFile("C:\\f\\a.tmp"));
    ASSERT_TRUE(listing->next(entry));
    ASSERT_EQ(entry.name, "b.tmp");
    // Deleted on disk by someone else after the listing.
    disk.eraseTree("C:\\f\\b.tmp");
    EXPECT_FALSE(preview.deleteFile("C:\\f\\b.tmp"));
}

TEST_F(PreviewOfListedEntriesTest, APathOtherThanTheEntryJustListedIsAskedFor) {
    disk.addFile("C:\\f\\a.tmp");
    disk.addFile("C:\\f\\ro.tmp", "x", attributes::readOnly);
    auto listing = preview.list("C:\\f\\");
    DirectoryEntry entry;
    while (listing->next(entry) && entry.name != "a.tmp") {
    }
    // Since then read-only on disk: only the listed path itself is taken from the listing.
    disk.find("C:\\f\\a.tmp")->attributes = attributes::readOnly;
    EXPECT_FALSE(preview.deleteFile("C:\\F\\A.TMP"));
    EXPECT_FALSE(preview.deleteFile("C:\\f\\ro.tmp"));
    EXPECT_EQ(counting.attributeCalls, 2);
}

TEST(ReadOnlyRegistry, RefusesEveryChangeAndCreatesNoKey) {
    FakeRegistry registry;
    registry.set("Software\\A", "v", std::string("x"));
    ReadOnlyRegistry readOnly(registry);

    auto missing = readOnly.open(RegistryRoot::CurrentUser, "Software\\B", true);
    ASSERT_NE(missing, nullptr);
    EXPECT_FALSE(missing->valueExists("v"));
    EXPECT_FALSE(missing->writeString("v", "y"));
    EXPECT_EQ(readOnly.open(RegistryRoot::CurrentUser, "Software\\B", false), nullptr);
    EXPECT_FALSE(registry.keyExists(RegistryRoot::CurrentUser, "Software\\B"));

    auto existing = readOnly.open(RegistryRoot::CurrentUser, "Software\\A", true);
    ASSERT_NE(existing, nullptr);
    EXPECT_EQ(existing->readString("v"), "x");
    EXPECT_FALSE(existing->writeInt("n", 1));
    EXPECT_FALSE(existing->deleteValue("v"));
    EXPECT_FALSE(readOnly.deleteTree(RegistryRoot::CurrentUser, "Software\\A"));
    EXPECT_EQ(registry.valueNames("Software\\A"), std::vector<std::string>{"v"});
}

} // namespace
} // namespace dustbane::testing
