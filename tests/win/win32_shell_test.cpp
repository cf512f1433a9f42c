#include "platform/win32/file_selection.h"
#include "platform/win32/text.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_shell.h"
#include "scratch_folder.h"

#include <dlgs.h>
#include <gtest/gtest.h>
#include <shellapi.h>
#include <thread>

namespace dustbane::testing {
namespace {

int64_t recycledItemCount() {
    SHQUERYRBINFO info{};
    info.cbSize = sizeof info;
    return SUCCEEDED(SHQueryRecycleBinW(nullptr, &info)) ? info.i64NumItems : -1;
}

bool waitFor(const std::string& path) {
    for (int i = 0; i < 200 && !exists(path); ++i) {
        Sleep(50);
    }
    return exists(path);
}

class Win32ShellTest : public ::testing::Test {
  protected:
    ScratchFolder scratch;
    win32::Win32Shell shell;
};

TEST_F(Win32ShellTest, ReportsFailuresWithANonZeroCode) {
    writeBytes(scratch / "keep.txt", "x");
    EXPECT_NE(shell.recycleItem(scratch / "missing.txt"), 0);
    EXPECT_NE(shell.recycleItem(scratch / "missing\\file.txt"), 0);
    EXPECT_NE(shell.recycleItem(""), 0);
    // One item only: wildcards would reach every sibling.
    EXPECT_NE(shell.recycleItem(scratch / "*.*"), 0);
    EXPECT_NE(shell.recycleItem(scratch / "keep.tx?"), 0);
    EXPECT_TRUE(exists(scratch / "keep.txt"));
}

TEST_F(Win32ShellTest, RecyclesItemsAndEmptiesTheBin) {
    writeBytes(scratch / "recycled.txt", "x");
    makeFolder(scratch / "recycled folder");
    writeBytes(scratch / "recycled folder\\inside.txt", "x");
    ASSERT_TRUE(shell.emptyRecycleBins());
    const int64_t before = recycledItemCount();

    EXPECT_EQ(shell.recycleItem(scratch / "recycled.txt"), 0);
    EXPECT_EQ(shell.recycleItem(scratch / "recycled folder"), 0);
    EXPECT_FALSE(exists(scratch / "recycled.txt"));
    EXPECT_FALSE(exists(scratch / "recycled folder"));
    EXPECT_EQ(recycledItemCount(), before + 2);

    EXPECT_TRUE(shell.emptyRecycleBins());
    // Wine empties files only; the recycled folder stays in its bin.
    EXPECT_LT(recycledItemCount(), before + 2);
}

TEST_F(Win32ShellTest, MeasuresWhatTheBinsHold) {
    ASSERT_TRUE(shell.emptyRecycleBins());
    const std::optional<uint64_t> before = shell.recycleBinBytes();
    ASSERT_TRUE(before.has_value());
    writeBytes(scratch / "measured.txt", std::string(5000, 'x'));

    ASSERT_EQ(shell.recycleItem(scratch / "measured.txt"), 0);
    EXPECT_EQ(shell.recycleBinBytes(), *before + 5000);

    ASSERT_TRUE(shell.emptyRecycleBins());
    EXPECT_EQ(shell.recycleBinBytes(), before);
}

TEST_F(Win32ShellTest, FindsTheSystemFolders) {
    win32::Win32FileSystem files;
    for (SpecialFolder folder :
         {SpecialFolder::InternetCache, SpecialFolder::LocalAppData, SpecialFolder::RoamingAppData,
          SpecialFolder::ProgramFiles, SpecialFolder::ProgramFilesX86, SpecialFolder::System,
          SpecialFolder::ProgramData, SpecialFolder::UserProfiles, SpecialFolder::Profile,
          SpecialFolder::Desktop, SpecialFolder::Documents}) {
        std::string path = shell.specialFolder(folder);
        ASSERT_GT(path.size(), 3u) << static_cast<int>(folder);
        EXPECT_NE(path.back(), '\\') << path;
        EXPECT_EQ(path[1], ':') << path;
    }
    EXPECT_TRUE(files.directoryExists(shell.specialFolder(SpecialFolder::LocalAppData)));
    EXPECT_TRUE(files.directoryExists(shell.specialFolder(SpecialFolder::RoamingAppData)));
    // LocalLow lies beside Local, below the same AppData folder.
    const std::string local = shell.specialFolder(SpecialFolder::LocalAppData);
    EXPECT_EQ(shell.specialFolder(SpecialFolder::LocalAppDataLow), local + "Low");
    EXPECT_NE(shell.specialFolder(SpecialFolder::InternetCache),
              shell.specialFolder(SpecialFolder::LocalAppData));
    // This program is 64-bit, so the two Program Files folders differ.
    EXPECT_TRUE(files.directoryExists(shell.specialFolder(SpecialFolder::ProgramFiles)));
    EXPECT_TRUE(files.directoryExists(shell.specialFolder(SpecialFolder::ProgramFilesX86)));
    EXPECT_NE(shell.specialFolder(SpecialFolder::ProgramFiles),
              shell.specialFolder(SpecialFolder::ProgramFilesX86));

    std::string temp = shell.tempPath();
    ASSERT_FALSE(temp.empty());
    EXPECT_EQ(temp.back(), '\\');
    EXPECT_TRUE(files.directoryExists(temp));
    EXPECT_TRUE(files.directoryExists(shell.windowsDirectory()));
    EXPECT_TRUE(files.fileExists(shell.windowsDirectory() + "\\system32\\kernel32.dll"));
}

TEST_F(Win32ShellTest, RunsACommandLineWithUnicodeArguments) {
    const std::string made = scratch / "made \xC3\xA9\xE6\x97\xA5";
    shell.runMaximized("cmd.exe /c mkdir \"" + made + "\"");
    EXPECT_TRUE(waitFor(made));
}

TEST_F(Win32ShellTest, OpensADocumentWithItsProgram) {
    const std::string script = scratch / "open me \xC3\xA9.cmd";
    const std::string marker = scratch / "opened";
    writeBytes(script, "@echo x> \"" + marker + "\"\r\n");
    shell.openDocument(script);
    EXPECT_TRUE(waitFor(marker));
}

// Types into the open-file dialog as a user would: first the folder, then the names.
void answerOpenDialog(const std::string& folder, const std::wstring& names) {
    HWND dialog = nullptr;
    for (int i = 0; i < 400 && !dialog; ++i, Sleep(25)) {
        dialog = FindWindowW(L"#32770", L"Open");
    }
    if (!dialog) {
        return;
    }
    const int fileName = GetDlgItem(dialog, cmb13) ? cmb13 : edt1;
    for (const std::wstring& typed : {win32::widen(folder), names}) {
        SetDlgItemTextW(dialog, fileName, typed.c_str());
        SendMessageW(dialog, WM_COMMAND, IDOK, 0);
        Sleep(200);
    }
}

TEST_F(Win32ShellTest, PicksSeveralFilesInTheOrderChosen) {
    writeBytes(scratch / "a.txt", "a");
    writeBytes(scratch / "b \xC3\xA9.txt", "b");
    std::thread user(answerOpenDialog, scratch.path(), L"\"b \u00e9.txt\" \"a.txt\"");
    std::vector<std::string> picked = shell.pickFiles();
    user.join();
    EXPECT_EQ(picked, (std::vector<std::string>{scratch / "b \xC3\xA9.txt", scratch / "a.txt"}));
    // The program's current folder stays where it was.
    EXPECT_EQ(win32::Win32FileSystem().currentDirectory().find(scratch.path()), std::string::npos);
}

BOOL CALLBACK findText(HWND child, LPARAM wanted) {
    wchar_t text[256] = L"";
    GetWindowTextW(child, text, 256);
    return reinterpret_cast<const std::wstring*>(wanted)->compare(text) != 0;
}

// Whether a browser dialog showed the title; it is then cancelled.
bool cancelFolderBrowser(const std::wstring& title) {
    for (int i = 0; i < 400; ++i, Sleep(25)) {
        HWND dialog = FindWindowW(L"#32770", nullptr);
        if (dialog && !EnumChildWindows(dialog, findText, reinterpret_cast<LPARAM>(&title))) {
            PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
            return true;
        }
    }
    return false;
}

TEST_F(Win32ShellTest, FolderBrowserShowsTheTitleAndAnswersNothingOnCancel) {
    bool shown = false;
    std::thread user([&shown] { shown = cancelFolderBrowser(L"Add a search path \u00e9"); });
    EXPECT_EQ(shell.browseForFolder("Add a search path \xC3\xA9"), "");
    user.join();
    EXPECT_TRUE(shown);
}

TEST(FileSelectionTest, SplitsTheDialogBufferIntoFullPathsInOrder) {
    struct Case {
        std::wstring buffer; // NULs inside, the final empty string implied
        std::vector<std::string> paths;
    } cases[] = {
        {L"", {}},
        {std::wstring(L"C:\\docs\\one.txt\0", 16), {"C:\\docs\\one.txt"}},
        {std::wstring(L"C:\\docs\0b.txt\0a.txt\0", 20), {"C:\\docs\\b.txt", "C:\\docs\\a.txt"}},
        {std::wstring(L"C:\\\0x.log\0y\0", 12), {"C:\\x.log", "C:\\y"}},
        {std::wstring(L"C:\\caf\u00e9\0\u65e5.txt\0", 13), {"C:\\caf\xC3\xA9\\\xE6\x97\xA5.txt"}},
    };
    for (const Case& c : cases) {
        std::wstring buffer = c.buffer + L'\0';
        EXPECT_EQ(win32::selectedFiles(buffer.c_str()), c.paths);
    }
}

} // namespace
} // namespace dustbane::testing
