#include "fakes/fake_file_system.h"
#include "fakes/fake_shell.h"
#include "paths/canonical_path.h"
#include "paths/protected_folders.h"
#include "paths/shell_names.h"

#include <gtest/gtest.h>

namespace dustbane::testing {
namespace {

TEST(CanonicalPath, ResolvesDotsSeparatorsAndTheVerbatimPrefixAndKeepsEveryOtherCharacter) {
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\keep\\db\\..", "C:\\keep"},
        {"C:\\keep\\..\\", "C:\\"},
        {"C:\\keep\\..\\..\\..", "C:\\"},
        {"C:\\a\\.\\b\\\\c\\", "C:\\a\\b\\c\\"},
        {"C:/a/b", "C:\\a\\b"},
        {"c:", "c:"},
        {"C:\\", "C:\\"},
        {"\\\\?\\C:\\x\\..\\y", "C:\\y"},
        {"\\\\?\\UNC\\srv\\share\\x", "\\\\srv\\share\\x"},
        {"\\\\srv\\share\\..\\..", "\\\\srv\\share\\"},
        // Only the verbatim form reaches these names, and it must reach exactly them.
        {"C:\\s\\abc.", "C:\\s\\abc."},
        {"C:\\s\\note ", "C:\\s\\note "},
        {"C:\\s\\...", "C:\\s\\..."},
        {"C:\\s\\abc.\\..\\d", "C:\\s\\d"},
    };
    for (const auto& [text, canonical] : cases) {
        EXPECT_EQ(canonicalPath(text), std::optional<std::string>(canonical)) << text;
    }
    for (const char* unsure : {"", "relative\\x", "C:drive-relative", "\\rooted", "\\\\server",
                               "\\\\.\\PhysicalDrive0", "C:\\file:stream", "C:\\a*b", "C:\\a?"}) {
        EXPECT_EQ(canonicalPath(unsure), std::nullopt) << unsure;
    }
}

TEST(CanonicalPath, KeysCompareAsTheFileSystemDoes) {
    EXPECT_EQ(pathKey("C:"), pathKey("c:\\"));
    EXPECT_EQ(pathKey("C:\\Users\\ÄRGER\\"), pathKey("c:\\users\\ärger"));
    EXPECT_NE(pathKey("C:\\s\\abc."), pathKey("C:\\s\\abc"));
    EXPECT_TRUE(isRootKey(pathKey("D:")));
    EXPECT_TRUE(isRootKey(pathKey("\\\\srv\\share")));
    EXPECT_FALSE(isRootKey(pathKey("\\\\srv\\share\\x")));
    EXPECT_EQ(parentKey(pathKey("C:\\a")), pathKey("C:\\"));
    EXPECT_EQ(parentKey(pathKey("\\\\srv\\share\\a\\b")), pathKey("\\\\srv\\share\\a"));
    EXPECT_TRUE(parentKey(pathKey("C:\\")).empty());
    EXPECT_TRUE(isBelowKey(pathKey("C:\\a\\b"), pathKey("C:\\A")));
    EXPECT_TRUE(isBelowKey(pathKey("C:\\a"), pathKey("C:")));
    EXPECT_FALSE(isBelowKey(pathKey("C:\\ab"), pathKey("C:\\a")));
    EXPECT_FALSE(isBelowKey(pathKey("C:\\a"), pathKey("C:\\a")));
}

TEST(ShellNames, OnlyNamesAPlainPathReadsAsTheyAreGoToTheShell) {
    for (const std::string path : {"C:\\s\\abc", "C:\\s\\a.b.txt", "C:\\con-tents\\console.txt",
                                   "C:\\s\\com10", "\\\\srv\\share\\x", "C:\\s\\日本.txt"}) {
        EXPECT_TRUE(shellNamesExactly(path)) << path;
        EXPECT_EQ(plainPathMeaning(path), path) << path;
    }
    for (const std::string path :
         {"C:\\s\\abc.", "C:\\s\\note ", "C:\\s\\abc.\\inside.txt", "C:\\s\\CON", "C:\\s\\aux.txt",
          "C:\\s\\Lpt1.log", "C:\\s\\nul .txt", "C:\\s\\com\xC2\xB9", "C:\\s\\a*"}) {
        EXPECT_FALSE(shellNamesExactly(path)) << path;
    }
    // The fake shell reads plain paths this way, so the engine's check is tested against it.
    EXPECT_EQ(plainPathMeaning("C:\\s\\abc."), "C:\\s\\abc");
    EXPECT_EQ(plainPathMeaning("C:\\s\\note "), "C:\\s\\note");
    EXPECT_EQ(plainPathMeaning("C:\\s\\aux.txt"), std::nullopt);
    const std::string longest = "C:\\" + std::string(maxShellPathLength - 3, 'x');
    EXPECT_TRUE(shellNamesExactly(longest));
    EXPECT_FALSE(shellNamesExactly(longest + "y"));
    // Two UTF-16 units for a character beyond the basic plane.
    EXPECT_FALSE(
        shellNamesExactly("C:\\" + std::string(maxShellPathLength - 4, 'x') + "\xF0\x9F\x98\x80"));
}

class ProtectedFoldersTest : public ::testing::Test {
  protected:
    FakeFileSystem files;
    FakeShell shell{files};

    ProtectedFolders folders() {
        shell.specialFolders[SpecialFolder::ProgramFiles] = "C:\\Program Files";
        shell.specialFolders[SpecialFolder::ProgramFilesX86] = "C:\\Program Files (x86)";
        return ProtectedFolders(shell, files);
    }
};

TEST_F(ProtectedFoldersTest, RootsSystemFoldersAndProfilesHoweverSpelled) {
    files.addFolder("C:\\windows\\system32");
    files.addFolder("C:\\users\\tester");
    files.addFolder("C:\\work\\db");
    files.addFolderLink("C:\\work\\toWindows", "C:\\windows");
    files.addFolderLink("C:\\work\\toProfile", "C:\\users\\tester");
    const ProtectedFolders guard = folders();
    for (const char* path : {"C:",
                             "D:\\",
                             "C:\\work\\..",
                             "C:\\work\\db\\..\\..\\",
                             "\\\\?\\C:\\",
                             "C:\\\\",
                             "\\\\srv\\share",
                             "C:\\WINDOWS",
                             "C:\\windows\\System32\\",
                             "C:\\Program Files",
                             "C:\\program files (x86)",
                             "C:\\ProgramData",
                             "C:\\users",
                             "C:\\users\\tester",
                             "C:\\users\\Public",
                             "C:\\users\\someone-else\\",
                             "C:\\work\\toWindows",
                             "C:\\work\\toProfile",
                             "relative",
                             "C:drive-relative"}) {
        EXPECT_TRUE(guard.isProtected(path)) << path;
    }
    for (const char* path :
         {"C:\\work", "C:\\work\\db", "C:\\windows\\Temp", "C:\\windows\\System32\\WDI",
          "C:\\ProgramData\\Microsoft\\Windows\\WER", "C:\\users\\tester\\AppData",
          "C:\\users\\tester\\Documents"}) {
        EXPECT_FALSE(guard.isProtected(path)) << path;
    }
}

TEST_F(ProtectedFoldersTest, AnotherProgramsFolderMustLieInTheProfileOrProgramData) {
    files.addFolder("C:\\users\\tester\\AppData\\Local\\ACD\\db");
    files.addFolder("C:\\ProgramData\\Vendor\\cache");
    files.addFolder("C:\\keep\\db");
    files.addFolder("C:\\users\\tester\\Documents");
    files.addFolderLink("C:\\users\\tester\\AppData\\Local\\out", "C:\\keep");
    const ProtectedFolders guard = folders();
    EXPECT_TRUE(guard.acceptsForeignFolder("C:\\users\\tester\\AppData\\Local\\ACD\\db"));
    EXPECT_TRUE(guard.acceptsForeignFolder("C:\\ProgramData\\Vendor\\cache\\"));
    for (const char* path :
         {"C:\\keep\\db\\..", "C:\\keep\\..\\", "C:\\keep\\db", "C:\\users\\tester",
          "C:\\users\\tester\\Documents", "C:\\users\\tester\\AppData\\Local\\ACD\\..\\..\\..",
          "C:\\users\\tester\\AppData\\Local\\out", "C:\\ProgramData", "D:\\db"}) {
        EXPECT_FALSE(guard.acceptsForeignFolder(path)) << path;
    }
}

TEST_F(ProtectedFoldersTest, AWideScanPassesProgramStateBy) {
    const ProtectedFolders guard = folders();
    for (const char* path :
         {"C:\\Windows", "C:\\Program Files", "C:\\Program Files (x86)", "C:\\ProgramData",
          "C:\\users\\tester\\AppData", "C:\\users\\other\\appdata"}) {
        EXPECT_TRUE(guard.skippedBySearch(path)) << path;
    }
    for (const char* path : {"C:\\users\\tester\\Documents\\AppData", "C:\\AppData",
                             "C:\\windows\\Temp", "C:\\users\\tester"}) {
        EXPECT_FALSE(guard.skippedBySearch(path)) << path;
    }
}

} // namespace
} // namespace dustbane::testing
