// A clean run over the fixed Windows and application locations of a fresh prefix: the
// folders Wine resolves are filled, the run is started with the Clean button, and the
// result lines and what stays on disk are read back.

#include "app/win32/resource_ids.h"
#include "driver/driver.h"
#include "driver/held_file.h"
#include "platform/win32/text.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <regex>
#include <shlobj.h>
#include <stdexcept>
#include <string>
#include <vector>
#include <windows.h>

namespace dustbane::e2e {
namespace {

using Strings = std::vector<std::string>;

std::string withBackslash(const std::string& path) {
    return !path.empty() && path.back() == '\\' ? path : path + "\\";
}

std::string tempFolder() {
    wchar_t buffer[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, buffer);
    return win32::narrow(buffer);
}

std::string windowsFolder() {
    wchar_t buffer[MAX_PATH + 1] = {};
    GetWindowsDirectoryW(buffer, MAX_PATH + 1);
    return withBackslash(win32::narrow(buffer));
}

// Without a trailing backslash, as the shell gives it.
std::string specialFolder(int csidl) {
    wchar_t buffer[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, csidl | CSIDL_FLAG_CREATE, nullptr, 0, buffer))) {
        throw std::runtime_error("no special folder " + std::to_string(csidl));
    }
    return win32::narrow(buffer);
}

// Everything below folder, relative to it, sorted; names keep their case.
Strings treeBelow(const std::string& folder) {
    Strings paths;
    const std::filesystem::path root = win32::widen(folder);
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        paths.push_back(win32::narrow(entry.path().lexically_relative(root).wstring()));
    }
    std::sort(paths.begin(), paths.end());
    return paths;
}

// The folder as a stage finds it: its own contents only.
void emptyFolder(const std::string& folder) {
    removeTree(folder);
    createDirectories(folder);
}

void setReadOnly(const std::string& path) {
    SetFileAttributesW(win32::widen(path).c_str(), FILE_ATTRIBUTE_READONLY);
}

// A heading line is the time in the user's long format, a space and the words.
bool isTimed(const std::string& row, const std::string& words) {
    return row.size() > words.size() + 1 && row.ends_with(" " + words) &&
           row.find(':') < row.size() - words.size();
}

using Targets = Scenario;

TEST_F(Targets, CleanRunEmptiesEveryFixedLocationPermanently) {
    const std::string temp = tempFolder();
    const std::string local = specialFolder(CSIDL_LOCAL_APPDATA) + "\\";
    const std::string roaming = specialFolder(CSIDL_APPDATA) + "\\";
    const std::string inetCache = specialFolder(CSIDL_INTERNET_CACHE);
    const std::string windows = windowsFolder();
    const std::string systemWer = windows.substr(0, 3) + "ProgramData\\Microsoft\\Windows\\WER\\";
    const std::string userWer = local + "Microsoft\\Windows\\WER\\";
    const std::string explorer = local + "Microsoft\\Windows\\Explorer\\";
    const std::string localProfiles = local + "Mozilla\\Firefox\\Profiles\\";
    const std::string roamingProfiles = roaming + "Mozilla\\Firefox\\Profiles\\";
    const std::string appPatch = windows + "AppPatch\\";
    const std::string download = windows + "SoftwareDistribution\\Download\\";
    const std::string wdi = windows + "System32\\WDI\\";
    const std::string searchCache = local + "Adobe\\Acrobat\\8.0\\Cache\\Search80\\";
    // Another program's folders are cleaned only inside the profile (or ProgramData).
    const std::string acdsee10 = local + "ACD Systems\\acdsee10";
    const std::string acdsee9 = local + "ACD Systems\\acdsee9";
    const std::string earth = local + "Google\\earth";

    for (const auto& folder : {temp, inetCache + "\\", systemWer, userWer, explorer, localProfiles,
                               roamingProfiles, appPatch, download, wdi, searchCache}) {
        emptyFolder(folder);
    }
    writeFile(temp + "a.tmp", "a");
    writeFile(temp + "readonly.tmp", "r");
    setReadOnly(temp + "readonly.tmp");
    writeFile(temp + "sub\\b.tmp", "b");
    writeFile(temp + ".keep", "k");
    writeFile(temp + ".dotdir\\x.tmp", "x");
    writeFile(temp + "held.tmp", "h");
    writeFile(inetCache + "\\Content.IE5\\X1Y2\\page.htm", "p");
    writeFile(inetCache + "\\index.dat", "i");
    writeFile(systemWer + "ReportQueue\\r1\\Report.wer", "w");
    writeFile(userWer + "ReportArchive\\r2\\Report.wer", "w");
    writeFile(explorer + "thumbcache_32.db", "t");
    writeFile(explorer + ".keep", "k");
    writeFile(localProfiles + "a.default\\Cache\\entry", "c");
    writeFile(localProfiles + "b.default\\cache\\entry", "c");
    writeFile(localProfiles + "b.default\\prefs.js", "p");
    writeFile(roamingProfiles + "a.default\\Cache\\entry", "c");
    writeFile(roamingProfiles + "a.default\\prefs.js", "p");
    writeFile(windows + "$NtUninstallKB123456$\\spuninst\\spuninst.exe", "u");
    writeFile(windows + "$ntuninstallKB123457$\\spuninst.exe", "u");
    writeFile(windows + "$NtServicePackUninstall$\\spuninst.exe", "u");
    writeFile(windows + "KB123456.log", "l");
    writeFile(windows + "KB123457.LOG", "l");
    writeFile(windows + "kb123458.log", "l");
    writeFile(windows + "KB123459.log.bak", "l");
    createDirectories(windows + "KB123460.log");
    writeFile(appPatch + "custom.sdb", "s");
    writeFile(download + "abc\\update.cab", "d");
    writeFile(wdi + "LogFiles\\boot.etl", "e");
    writeFile(acdsee10 + "\\ImageDB.fpt", "db");
    writeFile(acdsee10 + "\\Thumbs\\t.dat", "db");
    writeFile(acdsee9 + "\\ImageDB.fpt", "db");
    writeFile(earth + "\\dbCache.dat", "g");
    writeFile(earth + "\\dbCache.dat.bak", "g");
    writeFile(searchCache + "index.idx", "s");

    RegKey(HKEY_CURRENT_USER, "Software\\ACD Systems\\ACDSee\\10.0")
        .writeString("DBPath", acdsee10);
    RegKey(HKEY_CURRENT_USER, "Software\\ACD Systems\\ACDSee\\9.0").writeString("DBPath", acdsee9);
    RegKey(HKEY_CURRENT_USER, "Software\\Google\\Google Earth Plus")
        .writeString("CachePath", earth);

    for (const char* list : {"Pathnum", "Foldernum", "Filenum", "Pathexnum"}) {
        settings.writeInt(list, 0);
    }
    settings.writeInt("Displaybox", 0);
    settings.writeInt("Logs", 0);
    settings.writeInt("Recycle", 1);

    HeldFile held(temp + "held.tmp");
    ASSERT_TRUE(held.holding());

    auto app = App::launch();
    HWND window = app.waitForMainWindow();
    ASSERT_TRUE(window) << "no main window";
    HWND list = findChild(window, "SysListView32");
    HWND status = findChild(window, "msctls_statusbar32");
    HWND clean = childWithId(window, "Button", IDC_TOOL_CLEAN);
    ASSERT_TRUE(list && status && clean);

    // The settings are loaded once the summary shows.
    ASSERT_TRUE(waitUntil([&] { return listViewCount(list) > 0; }));
    clickButton(clean);
    // The final line is followed by the line of what the run freed.
    auto finished = [&] {
        const Strings rows = listViewRows(list);
        return rows.size() >= 2 &&
               rows[rows.size() - 2].find("Clean finished:") != std::string::npos;
    };
    ASSERT_TRUE(waitUntil(finished, 60s))
        << "no final line: " << ::testing::PrintToString(listViewRows(list)) << " status "
        << statusBarText(status, 0) << " | " << statusBarText(status, 1);
    // Only permanent deletions happened, yet the program offers to empty the bins.
    answerMessageBox("Clear Confirmation", IDNO);

    Strings rows = listViewRows(list);
    struct Expected {
        bool timed;
        std::string text;
        int image;
    };
    const std::string tempTitle = "Clean Temporary Folder (" + temp + ")";
    const std::string inetTitle = "Clean IE Internet Temporary Folder (" + inetCache + ")";
    const std::vector<Expected> expected = {
        {true, "Began " + tempTitle, 1},
        {true, "Finished " + tempTitle, 1},
        {true, "Began " + inetTitle, 1},
        {true, "Finished " + inetTitle, 1},
        {true, "Clean Windows error report", 1},
        {true, "Clean Picture Thumb cache", 1},
        {true, "Clean Firefox cache folder", 1},
        {true, "Clean Windows hotfix or patch", 1},
        {true, "Clean WDI created files", 1},
        {true, "Clean Acdsee database", 1},
        {false, acdsee10, 2},
        {true, "Clean Acdsee database", 1},
        {false, acdsee9, 2},
        {true, "Clean Google Earth Cache", 1},
        {true, "Clean Acrobat Reader8 Cache", 1},
        {true, "Clean finished: 18 files or folders had been cleaned.", 1},
    };
    // Everything went for good; only the held file stayed.
    const std::regex freed(
        R"(^Freed [0-9]+ bytes for good, 0 bytes to the Recycle Bin; 1 items stayed$)");
    ASSERT_FALSE(rows.empty());
    EXPECT_TRUE(std::regex_match(rows.back(), freed)) << rows.back();
    rows.pop_back();
    ASSERT_EQ(rows.size(), expected.size()) << ::testing::PrintToString(rows);
    for (size_t row = 0; row < rows.size(); ++row) {
        const Expected& line = expected[row];
        if (line.timed) {
            EXPECT_TRUE(isTimed(rows[row], line.text)) << rows[row] << " | " << line.text;
        } else {
            EXPECT_EQ(rows[row], line.text);
        }
        EXPECT_EQ(listViewImage(list, static_cast<int>(row)), line.image) << rows[row];
    }
    EXPECT_EQ(statusBarText(status, 1), "Deleted 18");

    EXPECT_EQ(treeBelow(temp), (Strings{".dotdir", ".dotdir\\x.tmp", ".keep", "held.tmp"}));
    EXPECT_EQ(treeBelow(inetCache), Strings{});
    EXPECT_EQ(treeBelow(systemWer), Strings{});
    EXPECT_EQ(treeBelow(userWer), Strings{});
    EXPECT_EQ(treeBelow(explorer), Strings{".keep"});
    EXPECT_EQ(treeBelow(localProfiles),
              (Strings{"a.default", "a.default\\Cache", "b.default", "b.default\\cache",
                       "b.default\\cache\\entry", "b.default\\prefs.js"}));
    EXPECT_EQ(treeBelow(roamingProfiles),
              (Strings{"a.default", "a.default\\Cache", "a.default\\prefs.js"}));
    EXPECT_FALSE(directoryExists(windows + "$NtUninstallKB123456$"));
    EXPECT_FALSE(fileExists(windows + "KB123456.log"));
    EXPECT_TRUE(fileExists(windows + "$ntuninstallKB123457$\\spuninst.exe"));
    EXPECT_TRUE(fileExists(windows + "$NtServicePackUninstall$\\spuninst.exe"));
    EXPECT_TRUE(fileExists(windows + "KB123457.LOG"));
    EXPECT_TRUE(fileExists(windows + "kb123458.log"));
    EXPECT_TRUE(fileExists(windows + "KB123459.log.bak"));
    EXPECT_TRUE(directoryExists(windows + "KB123460.log"));
    // Application-compatibility data, not clutter.
    EXPECT_EQ(treeBelow(appPatch), Strings{"custom.sdb"});
    EXPECT_EQ(treeBelow(download), Strings{});
    EXPECT_EQ(treeBelow(wdi), Strings{});
    EXPECT_EQ(treeBelow(acdsee10), Strings{});
    EXPECT_EQ(treeBelow(acdsee9), Strings{});
    EXPECT_EQ(treeBelow(earth), Strings{"dbCache.dat.bak"});
    EXPECT_EQ(treeBelow(searchCache), Strings{});

    EXPECT_EQ(app.close(), 0u);
}

} // namespace
} // namespace dustbane::e2e
