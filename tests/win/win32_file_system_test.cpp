#include "folder_link.h"
#include "paths/case_folding.h"
#include "platform/win32/text.h"
#include "platform/win32/win32_file_system.h"
#include "scratch_folder.h"

#include <gtest/gtest.h>
#include <map>
#include <windows.h>

namespace dustbane::testing {
namespace {

std::map<std::string, DirectoryEntry> listAll(FileSystem& files, const std::string& folder) {
    std::map<std::string, DirectoryEntry> entries;
    std::unique_ptr<DirectoryListing> listing = files.list(folder);
    if (listing) {
        DirectoryEntry entry;
        while (listing->next(entry)) {
            entries[entry.name] = entry;
        }
    }
    return entries;
}

class Win32FileSystemTest : public ::testing::Test {
  protected:
    ScratchFolder scratch;
    win32::Win32FileSystem files;
};

TEST_F(Win32FileSystemTest, ListsEveryNameAsUtf8WithAttributesAndSize) {
    const std::vector<std::string> names = {"a.b.c.txt", ".hidden", "noext", "caf\xC3\xA9.txt",
                                            "\xE6\x97\xA5\xE6\x9C\xAC.log"};
    for (const std::string& name : names) {
        writeBytes(scratch / name, name);
    }
    makeFolder(scratch / "sub.dir");

    auto entries = listAll(files, scratch.path());

    EXPECT_EQ(entries.size(), names.size() + 3); // with "." and ".."
    EXPECT_TRUE(entries.count(".") && entries.count(".."));
    for (const std::string& name : names) {
        ASSERT_TRUE(entries.count(name)) << name;
        EXPECT_EQ(entries[name].size, name.size()) << name;
        EXPECT_FALSE(entries[name].isDirectory()) << name;
        // The listed name must lead back to the same file.
        EXPECT_TRUE(files.fileExists(scratch / entries[name].name)) << name;
    }
    ASSERT_TRUE(entries.count("sub.dir"));
    EXPECT_TRUE(entries["sub.dir"].isDirectory());
    EXPECT_FALSE(entries["sub.dir"].isLink());
}

TEST_F(Win32FileSystemTest, ReportsSizesBeyondFourGigabytes) {
    const std::string path = scratch / "big.bin";
    HANDLE file = CreateFileW(win32::widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    LARGE_INTEGER size;
    size.QuadPart = (5LL << 30) + 7;
    EXPECT_TRUE(SetFilePointerEx(file, size, nullptr, FILE_BEGIN) && SetEndOfFile(file));
    CloseHandle(file);

    auto entries = listAll(files, scratch.path() + "\\");
    ASSERT_TRUE(entries.count("big.bin"));
    EXPECT_EQ(entries["big.bin"].size, (5ULL << 30) + 7);
}

TEST_F(Win32FileSystemTest, ListingAndAttributeQueryGiveTheTimesSetOnTheFile) {
    const std::string path = scratch / "dated.txt";
    writeBytes(path, "x");
    // 1 March 2024, 1 May 2025 and 2 June 2025, each with a low word of its own.
    const FileTime created = 133'537'248'001'234'567ULL;
    const FileTime accessed = 133'905'312'005'555'555ULL;
    const FileTime written = 133'932'960'009'876'543ULL;
    auto fileTime = [](FileTime time) {
        return FILETIME{static_cast<DWORD>(time & 0xFFFFFFFF), static_cast<DWORD>(time >> 32)};
    };
    FILETIME kept{};
    {
        HANDLE file =
            CreateFileW(win32::widen(path).c_str(), FILE_WRITE_ATTRIBUTES | FILE_READ_ATTRIBUTES, 0,
                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        const FILETIME times[] = {fileTime(created), fileTime(accessed), fileTime(written)};
        EXPECT_TRUE(SetFileTime(file, &times[0], &times[1], &times[2]));
        EXPECT_TRUE(GetFileTime(file, &kept, nullptr, nullptr));
        CloseHandle(file);
    }
    // Where the file system keeps no creation time of its own (Wine on Linux), the system
    // gives the last-write time for it, whatever was set.
    const FileTime keptCreation =
        (static_cast<FileTime>(kept.dwHighDateTime) << 32) | kept.dwLowDateTime;
    EXPECT_TRUE(keptCreation == created || keptCreation == written) << keptCreation;

    auto entries = listAll(files, scratch.path());
    ASSERT_TRUE(entries.count("dated.txt"));
    EXPECT_EQ(entries["dated.txt"].created, keptCreation);
    EXPECT_EQ(entries["dated.txt"].written, written);

    const std::optional<DirectoryEntry> queried = files.entryOf(path);
    ASSERT_TRUE(queried);
    EXPECT_EQ(queried->created, keptCreation);
    EXPECT_EQ(queried->written, written);
    EXPECT_EQ(queried->size, 1u);
    EXPECT_FALSE(queried->isDirectory());
    EXPECT_FALSE(files.entryOf(scratch / "missing.txt"));
}

TEST_F(Win32FileSystemTest, ListsADriveRootGivenWithOrWithoutItsBackslash) {
    // Away from the root, "C:" alone would name the current folder of drive C:.
    wchar_t previous[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryW(win32::widen(scratch.path()).c_str()));
    for (const char* root : {"C:", "C:\\", "c:/"}) {
        auto entries = listAll(files, root);
        EXPECT_TRUE(entries.count("windows")) << root;
        EXPECT_TRUE(entries.count("users")) << root;
    }
    SetCurrentDirectoryW(previous);
}

TEST_F(Win32FileSystemTest, ListingOfAMissingFolderDoesNotStart) {
    EXPECT_EQ(files.list(scratch / "missing"), nullptr);
    EXPECT_EQ(files.list(""), nullptr);
}

TEST_F(Win32FileSystemTest, ExistenceTestsTellFilesFromFolders) {
    writeBytes(scratch / "file.txt", "x");
    makeFolder(scratch / "folder");
    struct Case {
        std::string path;
        bool file;
        bool folder;
    } cases[] = {
        {scratch / "file.txt", true, false},
        {scratch / "folder", false, true},
        {scratch / "folder\\", false, true},
        {scratch / "missing", false, false},
        {scratch.path() + "/folder/../file.txt", true, false},
        {scratch.path() + "\\\\folder", false, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(files.fileExists(c.path), c.file) << c.path;
        EXPECT_EQ(files.directoryExists(c.path), c.folder) << c.path;
        EXPECT_EQ(files.attributesOf(c.path).has_value(), c.file || c.folder) << c.path;
    }
}

TEST_F(Win32FileSystemTest, ReadOnlyFileIsDeletedOnlyAfterItsAttributesAreReset) {
    const std::string path = scratch / "locked.txt";
    writeBytes(path, "data");
    ASSERT_TRUE(SetFileAttributesW(win32::widen(path).c_str(),
                                   FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(files.attributesOf(path).has_value());
    EXPECT_TRUE(*files.attributesOf(path) & attributes::readOnly);
    EXPECT_TRUE(*files.attributesOf(path) & attributes::hidden);

    EXPECT_FALSE(files.deleteFile(path));
    EXPECT_TRUE(files.fileExists(path));

    EXPECT_TRUE(files.setNormalAttributes(path));
    EXPECT_FALSE(*files.attributesOf(path) & attributes::readOnly);
    EXPECT_TRUE(files.deleteFile(path));
    EXPECT_FALSE(files.fileExists(path));
    EXPECT_FALSE(files.deleteFile(path));
}

TEST_F(Win32FileSystemTest, RemovesOnlyEmptyFoldersWithOrWithoutTrailingBackslash) {
    makeFolder(scratch / "full");
    writeBytes(scratch / "full\\x", "x");
    makeFolder(scratch / "empty");

    EXPECT_FALSE(files.removeDirectory(scratch / "full"));
    EXPECT_TRUE(exists(scratch / "full\\x"));
    EXPECT_TRUE(files.removeDirectory(scratch / "empty\\"));
    EXPECT_FALSE(exists(scratch / "empty"));
}

TEST_F(Win32FileSystemTest, CreatesOneFolderWhoseParentExists) {
    const std::string folder = scratch / "Dustbane";
    EXPECT_TRUE(files.createDirectory(folder));
    EXPECT_TRUE(files.directoryExists(folder));
    EXPECT_FALSE(files.createDirectory(folder)) << "already there";
    EXPECT_FALSE(files.createDirectory(scratch / "missing\\Dustbane"));
    EXPECT_FALSE(exists(scratch / "missing"));

    std::string deep = scratch.path();
    while (deep.size() < 300) {
        deep += "\\" + std::string(60, 'c');
        ASSERT_TRUE(files.createDirectory(deep)) << deep.size();
    }
    EXPECT_TRUE(files.directoryExists(deep));
}

TEST_F(Win32FileSystemTest, RemovingAFolderLinkLeavesTheTarget) {
    makeFolder(scratch / "target");
    writeBytes(scratch / "target\\keep.txt", "keep");
    const std::string link = scratch / "link";
    // Wine 8 answers TRUE here without creating anything.
    if (!CreateSymbolicLinkW(win32::widen(link).c_str(), win32::widen(scratch / "target").c_str(),
                             SYMBOLIC_LINK_FLAG_DIRECTORY) ||
        !exists(link)) {
        GTEST_SKIP() << "symbolic links cannot be made here";
    }
    auto entries = listAll(files, scratch.path());
    ASSERT_TRUE(entries.count("link"));
    EXPECT_TRUE(entries["link"].isLink());

    EXPECT_TRUE(files.removeDirectory(link));
    EXPECT_FALSE(exists(link));
    EXPECT_TRUE(exists(scratch / "target\\keep.txt"));
}

TEST_F(Win32FileSystemTest, ReachesNamesThatPlainPathsCannot) {
    // A trailing dot is dropped from plain paths, so such files are otherwise undeletable.
    const std::string path = scratch / "trailing.";
    writeBytes(path, "x");
    ASSERT_TRUE(exists(path));
    EXPECT_TRUE(files.fileExists(path));
    EXPECT_TRUE(files.deleteFile(path));
    EXPECT_FALSE(exists(path));
}

TEST_F(Win32FileSystemTest, FinalPathNamesTheItemALinkOrAnOtherSpellingLeadsTo) {
    makeFolder(scratch / "Target");
    makeFolder(scratch / "twin.");
    ASSERT_TRUE(makeFolderLink(scratch / "link", scratch / "Target"));

    const std::optional<std::string> direct = files.finalPath(scratch / "target");
    ASSERT_TRUE(direct);
    EXPECT_EQ(caseKey(*direct), caseKey(scratch / "Target"));
    EXPECT_EQ(files.finalPath(scratch / "link"), direct);
    EXPECT_EQ(files.finalPath(scratch / "Target\\..\\link\\"), direct);
    // Windows names the twin by its own name. Wine 8 reaches the twin but spells its final
    // path without the trailing dot; the protected-folder check then compares the plain
    // spelling too, which can only refuse more, never less.
    const bool wine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
    EXPECT_EQ(caseKey(files.finalPath(scratch / "twin.").value_or("")),
              caseKey(wine ? scratch / "twin" : scratch / "twin."));
    EXPECT_EQ(files.finalPath(scratch / "missing"), std::nullopt);
}

TEST_F(Win32FileSystemTest, HandlesPathsLongerThan260Characters) {
    std::string folder = scratch.path();
    const std::string component(60, 'd');
    while (folder.size() < 300) {
        folder += "\\" + component;
        makeFolder(folder);
    }
    const std::string file = folder + "\\" + std::string(40, 'f') + ".txt";
    ASSERT_GT(file.size(), 340u);
    writeBytes(file, "old");

    EXPECT_TRUE(files.directoryExists(folder));
    EXPECT_TRUE(files.fileExists(file));
    auto entries = listAll(files, folder);
    EXPECT_EQ(entries.size(), 3u);
    EXPECT_EQ(files.replaceFile(file, "new contents"), "");
    EXPECT_EQ(files.readFile(file), "new contents");
    EXPECT_TRUE(files.setNormalAttributes(file));
    EXPECT_TRUE(files.deleteFile(file));
    EXPECT_FALSE(files.fileExists(file));
    while (folder != scratch.path()) {
        EXPECT_TRUE(files.removeDirectory(folder)) << folder.size();
        folder.erase(folder.rfind('\\'));
    }
    EXPECT_FALSE(exists(scratch / component));
}

TEST_F(Win32FileSystemTest, ReadsWholeFilesAndNothingWhereThereIsNone) {
    std::string bytes(200 * 1024, '\0');
    for (size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<char>(i * 7);
    }
    writeBytes(scratch / "binary", bytes);
    writeBytes(scratch / "empty", "");

    EXPECT_EQ(files.readFile(scratch / "binary"), bytes);
    EXPECT_EQ(files.readFile(scratch / "empty"), "");
    EXPECT_EQ(files.readFile(scratch / "missing"), std::nullopt);
    EXPECT_EQ(files.readFile(scratch.path()), std::nullopt);
}

TEST_F(Win32FileSystemTest, ReplaceFileCreatesAndReplacesWithoutLeftovers) {
    const std::string path = scratch / "logs.log";
    EXPECT_EQ(files.replaceFile(path, "first, longer contents\r\n"), "");
    EXPECT_EQ(files.readFile(path), "first, longer contents\r\n");
    EXPECT_EQ(files.replaceFile(path, "second\r\n"), "");
    EXPECT_EQ(files.readFile(path), "second\r\n");
    EXPECT_EQ(files.replaceFile(path, ""), "");
    EXPECT_EQ(files.readFile(path), "");
    EXPECT_EQ(listAll(files, scratch.path()).size(), 3u); // ".", ".." and the log
}

TEST_F(Win32FileSystemTest, FailedReplaceKeepsTheOldFileAndSaysWhy) {
    const std::string readOnly = scratch / "readonly.log";
    writeBytes(readOnly, "old contents");
    ASSERT_TRUE(SetFileAttributesW(win32::widen(readOnly).c_str(), FILE_ATTRIBUTE_READONLY));
    const std::string inMissingFolder = scratch / "missing\\logs.log";

    for (const std::string& path : {readOnly, inMissingFolder}) {
        std::string reason = files.replaceFile(path, "new");
        EXPECT_NE(reason, "") << path;
        EXPECT_NE(reason.find(path), std::string::npos) << reason;
    }
    EXPECT_EQ(files.readFile(readOnly), "old contents");
    EXPECT_FALSE(exists(scratch / "missing"));
    EXPECT_EQ(listAll(files, scratch.path()).size(), 3u); // no temporary file left behind
}

TEST_F(Win32FileSystemTest, CurrentDirectoryEndsInABackslashAndExists) {
    std::string current = files.currentDirectory();
    ASSERT_FALSE(current.empty());
    EXPECT_EQ(current.back(), '\\');
    EXPECT_TRUE(files.directoryExists(current));
}

} // namespace
} // namespace dustbane::testing
