// A clean of the browser, application and shader caches over a user as Windows 11 has one:
// the caches' contents go, their folders stay, and every other file of drive C keeps its
// bytes; a browser that runs keeps its caches while the others are cleaned.

#include "app/win32/resource_ids.h"
#include "driver/driver.h"
#include "driver/verbatim_files.h"
#include "expected_text.h"
#include "platform/win32/text.h"
#include "windows_user.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include <windows.h>

namespace dustbane::e2e {
namespace {

using Strings = std::vector<std::string>;

bool runsElevated() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) {
        return false;
    }
    TOKEN_ELEVATION elevation{};
    DWORD size = 0;
    const bool elevated =
        GetTokenInformation(token, TokenElevation, &elevation, sizeof(elevation), &size) &&
        elevation.TokenIsElevated;
    CloseHandle(token);
    return elevated;
}

std::string windowsFolder() {
    wchar_t buffer[MAX_PATH + 1] = {};
    GetWindowsDirectoryW(buffer, MAX_PATH + 1);
    return win32::narrow(buffer);
}

// What the administrator group finds to delete in this prefix: the entries of the Windows
// temporary folder and the Delivery Optimization cache, and the system's crash dumps.
Strings systemCacheEntries() {
    const std::filesystem::path windows = win32::widen(windowsFolder());
    Strings entries;
    auto addEntries = [&](const std::filesystem::path& folder, const std::wstring& extension) {
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
            if (extension.empty() ||
                (!entry.is_directory() && entry.path().extension() == extension)) {
                entries.push_back(win32::narrow(entry.path().wstring()));
            }
        }
    };
    addEntries(windows / L"Temp", L"");
    addEntries(windows / L"ServiceProfiles\\NetworkService\\AppData\\Local\\Microsoft\\Windows\\"
                         L"DeliveryOptimization\\Cache",
               L"");
    addEntries(windows / L"Minidump", L".dmp");
    addEntries(windows / L"LiveKernelReports", L".dmp");
    if (fileExists(win32::narrow((windows / L"MEMORY.DMP").wstring()))) {
        entries.push_back(win32::narrow((windows / L"MEMORY.DMP").wstring()));
    }
    return entries;
}

// A row that is the time, a space and these words.
bool hasTimedRow(const Strings& rows, const std::string& words) {
    for (const std::string& row : rows) {
        if (row.size() > words.size() + 1 && row.ends_with(" " + words) &&
            row.find(':') < row.size() - words.size()) {
            return true;
        }
    }
    return false;
}

// A process of this image name in the user's session, held suspended so it does nothing,
// until the end of the holder.
class RunningImage {
  public:
    RunningImage(const std::string& folder, const std::string& imageName) {
        wchar_t self[MAX_PATH + 1] = {};
        GetModuleFileNameW(nullptr, self, MAX_PATH + 1);
        std::wstring copy = win32::widen(folder + imageName);
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        if (CopyFileW(self, copy.c_str(), TRUE) &&
            CreateProcessW(copy.c_str(), copy.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED,
                           nullptr, nullptr, &startup, &process_)) {
            CloseHandle(process_.hThread);
        } else {
            process_.hProcess = nullptr;
        }
    }
    ~RunningImage() {
        if (process_.hProcess) {
            TerminateProcess(process_.hProcess, 0);
            WaitForSingleObject(process_.hProcess, 10000);
            CloseHandle(process_.hProcess);
        }
    }
    RunningImage(const RunningImage&) = delete;
    RunningImage& operator=(const RunningImage&) = delete;

    bool running() const { return process_.hProcess != nullptr; }

  private:
    PROCESS_INFORMATION process_{};
};

class WindowsUserClean : public Scenario {
  protected:
    // Only the new targets run, every one of them, without a question before the run.
    void storeSettings() const {
        turnOffFixedLocations();
        for (const char* list : {"Pathnum", "Foldernum", "Filenum", "Pathexnum"}) {
            settings.writeInt(list, 0);
        }
        settings.writeInt("Displaybox", 0);
        settings.writeInt("Logs", 0);
        settings.writeInt("Recycle", 1);
        for (const std::string& target : appTargetSettings()) {
            settings.writeInt(target, 1);
        }
    }

    // Starts the program, cleans with the Clean button and closes it; the main list's rows.
    static Strings cleanInWindow() {
        auto app = App::launch();
        HWND window = app.waitForMainWindow();
        if (!window) {
            ADD_FAILURE() << "no main window";
            return {};
        }
        HWND list = findChild(window, "SysListView32");
        HWND clean = nullptr;
        for (HWND child : childWindows(window, "Button")) {
            clean = GetDlgCtrlID(child) == IDC_TOOL_CLEAN ? child : clean;
        }
        EXPECT_TRUE(list && clean);
        // The settings are loaded once the summary shows.
        EXPECT_TRUE(waitUntil([&] { return listViewCount(list) > 0; }));
        clickButton(clean);
        // The final line is followed by the line of what the run freed.
        auto finished = [&] {
            const Strings rows = listViewRows(list);
            return rows.size() >= 2 &&
                   rows[rows.size() - 2].find("Clean finished:") != std::string::npos &&
                   rows.back().starts_with("Freed ");
        };
        EXPECT_TRUE(waitUntil(finished, 120s)) << ::testing::PrintToString(listViewRows(list));
        // Only permanent deletions happened, yet the program offers to empty the bins.
        answerMessageBox("Clear Confirmation", IDNO);
        const Strings rows = listViewRows(list);
        EXPECT_EQ(app.close(), 0u);
        return rows;
    }
};

TEST_F(WindowsUserClean, EmptiesExactlyTheCachesAndKeepsEveryOtherFileOfDriveC) {
    const WindowsUser user = buildWindowsUser();
    storeSettings();
    Strings gone = cacheEntriesOf(user);
    if (runsElevated()) {
        const Strings system = systemCacheEntries();
        gone.insert(gone.end(), system.begin(), system.end());
    }

    const TreeSnapshot before = snapshotTree("C:", FileStamp::Hashed);
    const Strings rows = cleanInWindow();
    const TreeSnapshot after = snapshotTree("C:", FileStamp::Hashed);

    EXPECT_EQ(treeDifferences(without(before, gone), after), Strings{})
        << ::testing::PrintToString(rows);
    // The targets delete for good, and every entry went.
    uint64_t freed = 0;
    for (const std::string& entry : gone) {
        freed += bytesOf(before, entry);
    }
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows.back(), freedLine(freed, 0, 0));
    for (const auto& [name, program] : user) {
        for (const std::string& folder : program.cacheFolders) {
            EXPECT_TRUE(directoryExists(folder)) << name << ": " << folder;
        }
        for (const std::string& entry : program.cacheEntries) {
            EXPECT_FALSE(verbatimExists(entry)) << name << ": " << entry;
        }
        for (const std::string& file : program.userFiles) {
            EXPECT_TRUE(fileExists(file)) << name << ": " << file;
        }
    }
}

TEST_F(WindowsUserClean, RunningChromeKeepsItsCachesWhileTheOtherBrowsersAreCleaned) {
    const WindowsUser user = buildWindowsUser();
    storeSettings();
    const RunningImage chrome(scratch(), "chrome.exe");
    ASSERT_TRUE(chrome.running());

    const Strings rows = cleanInWindow();

    EXPECT_TRUE(hasTimedRow(rows, "skipped: Google Chrome is running"))
        << ::testing::PrintToString(rows);
    for (const std::string& entry : cacheEntriesOf(user, {"Chrome"})) {
        EXPECT_TRUE(verbatimExists(entry)) << entry;
    }
    for (const std::string& entry : cacheEntriesOf(user, {"Edge", "Firefox", "Discord"})) {
        EXPECT_FALSE(verbatimExists(entry)) << entry;
    }
    for (const std::string& row : rows) {
        EXPECT_EQ(row.find("Microsoft Edge is running"), std::string::npos) << row;
    }
}

} // namespace
} // namespace dustbane::e2e
