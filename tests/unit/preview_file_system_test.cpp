#include "analysis/preview_file_system.h"
#include "analysis/preview_shell.h"
#include "analysis/read_only_registry.h"
#include "fakes/fake_platform.h"

#include <gtest/gtest.h>

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
