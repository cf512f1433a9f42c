// The main window's choices that only its Win32 half makes: which setting each check box of
// the options dialog stores, the page the Options button opens on, and what Exit, Analyze
// and F6 do while a clean runs.

#include "app/win32/resource_ids.h"
#include "driver/driver.h"
#include "driver/remote_buffer.h"
#include "options/win32/options_ids.h"
#include "platform/win32/text.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>
#include <windows.h>

namespace dustbane::e2e {
namespace {

using Strings = std::vector<std::string>;

constexpr int pageCount = 5;
constexpr int specificPage = 3;

class RunChecks : public Scenario {
  protected:
    // Starts the program and waits until its start-up step has loaded the settings.
    void start() {
        app_.emplace(App::launch());
        main_ = app_->waitForMainWindow();
        ASSERT_TRUE(main_) << "no main window";
        list_ = findChild(main_, "SysListView32");
        ASSERT_TRUE(waitUntil([&] { return listViewCount(list_) > 0; }));
    }

    void openOptions() {
        postCommand(main_, IDC_TOOL_OPTIONS);
        dialog_ = waitForTopLevel(app_->processId(), "TForm2", "Clean Settings");
        ASSERT_TRUE(dialog_) << "the options dialog did not show";
    }

    void closeOptions(int button) {
        clickButton(GetDlgItem(dialog_, button));
        ASSERT_TRUE(waitUntil([&] { return !isVisible(dialog_); }));
    }

    HWND tabs() const { return findChild(dialog_, "SysTabControl32"); }
    LRESULT shownPage() const { return sendMessage(tabs(), TCM_GETCURSEL, 0, 0); }

    void selectPage(int page) {
        HWND control = tabs();
        RemoteBuffer buffer(processOf(control), sizeof(RECT));
        sendMessage(control, TCM_GETITEMRECT, page, reinterpret_cast<LPARAM>(buffer.address()));
        RECT item{};
        buffer.read(&item, sizeof item);
        clickAt(control, (item.left + item.right) / 2, (item.top + item.bottom) / 2);
        ASSERT_TRUE(waitUntil([&] { return shownPage() == page; }));
    }

    // The page of the dialog that holds the control.
    HWND pageOf(int id) const {
        for (HWND page : childWindows(dialog_, "#32770")) {
            if (GetDlgItem(page, id)) {
                return page;
            }
        }
        return nullptr;
    }

    // Every value of the settings key, as its type and contents.
    std::map<std::string, std::string> storedValues() const {
        std::map<std::string, std::string> values;
        for (const std::string& name : settings.valueNames()) {
            if (auto number = settings.readInt(name)) {
                values[name] = "dword " + std::to_string(*number);
            } else {
                values[name] = "text " + settings.readString(name).value_or("<other type>");
            }
        }
        return values;
    }

    HWND startLongClean();
    // The run's final line, or "" until the list ends with it and the line of what the run
    // freed after it.
    std::string finalRow() const;

    std::optional<App> app_;
    HWND main_ = nullptr;
    HWND list_ = nullptr;
    HWND dialog_ = nullptr;
};

TEST_F(RunChecks, EachCheckBoxStoresTheSettingItsCaptionNames) {
    struct Box {
        const char* caption;
        const char* valueName;
    };
    const Box boxes[] = {
        {"Restore window size when start", "Savepos"},
        {"Display Confirmation box when start clean", "Displaybox"},
        {"Integrated with Windows Explorer context menu", "Contextmenu"},
        {"Display the deleted file which was found in the search pathes", "Display"},
        {"Delete files of search pathes to Recycle bin(others delete directly)", "Recycle"},
        {"Save log for ", "Logs"},
        {"Temporary files (*.~xy, ~xy.*)", "Tempfile"},
        {"Picture Thumb files", "Picthumb"},
        {"Log files (*.log)", "Logfile"},
        {".tmp .old .bak ", "Oldfile"},
        {"0 size file", "Zerofile"},
        {"Delete empty folder", "Empfolder"},
        {"Also delete folder itself", "Delfolder"},
        {"Temporary folder", "Tempfolder"},
        {"IE Temporary folder", "Interfolder"},
        {"Windows error report", "Errorreport"},
        {"Windows hotfix or patch", "Hotfix"},
        {"WDI created files", "WDIfile"},
        {"Picture Thumb cache", "Thumbs"},
        {"Firefox cache folder", "Firefox"},
        {"Google Earth Cache", "GoogleEarth"},
        {"Acdsee database", "Acdsee"},
        {"Acrobat Reader8 Cache", "Acrobatreader"},
        {"Only delete files older than", "Agelimit"},
    };
    start();
    // The first OK stores every value; from then on each OK changes only what was clicked.
    openOptions();
    closeOptions(IDOK);

    for (const Box& box : boxes) {
        SCOPED_TRACE(box.caption);
        const auto before = storedValues();
        openOptions();
        const std::vector<HWND> found = childWindows(dialog_, "Button", box.caption);
        ASSERT_EQ(found.size(), 1u) << "no single check box with this caption";
        HWND check = found.front();
        for (int page = 0; page < pageCount && !isVisible(check); ++page) {
            selectPage(page);
        }
        ASSERT_TRUE(isVisible(check));
        const bool was = sendMessage(check, BM_GETCHECK, 0, 0) == BST_CHECKED;
        clickButton(check);
        if (box.valueName == std::string("Recycle") && was) {
            answerMessageBox("Confirmation", IDYES);
        }
        ASSERT_TRUE(waitUntil(
            [&] { return (sendMessage(check, BM_GETCHECK, 0, 0) == BST_CHECKED) != was; }));
        closeOptions(IDOK);

        const auto after = storedValues();
        Strings changed;
        for (const auto& [name, value] : after) {
            if (!before.contains(name) || before.at(name) != value) {
                changed.push_back(name);
            }
        }
        EXPECT_EQ(changed, Strings{box.valueName});
        EXPECT_EQ(settings.readInt(box.valueName), was ? 0 : 1);
    }
}

TEST_F(RunChecks, TheOptionsButtonOpensOnTheGeneralPageWhateverPageWasShownLast) {
    start();
    openOptions();
    HWND general = pageOf(IDX_SAVEPOS);
    ASSERT_TRUE(general);
    EXPECT_EQ(shownPage(), 0);
    EXPECT_TRUE(isVisible(general));

    selectPage(specificPage);
    ASSERT_FALSE(isVisible(general));
    closeOptions(IDCANCEL);

    openOptions();
    EXPECT_EQ(shownPage(), 0);
    EXPECT_TRUE(waitUntil([&] { return isVisible(general); }));
    closeOptions(IDCANCEL);
}

// Enough matching files that a search is still deleting when the test clicks.
void fillSearchPath(const std::string& root) {
    for (int folder = 0; folder < 20; ++folder) {
        const std::string dir = root + "\\d" + std::to_string(folder);
        createDirectories(dir);
        for (int file = 0; file < 100; ++file) {
            HANDLE handle =
                CreateFileW(win32::widen(dir + "\\f" + std::to_string(file) + ".tmp").c_str(),
                            GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
            if (handle == INVALID_HANDLE_VALUE) {
                throw std::runtime_error("cannot fill " + dir);
            }
            CloseHandle(handle);
        }
    }
}

// Starts a clean that deletes 2000 files in one search path, without asking first; returns
// its button once the run shows on it.
HWND RunChecks::startLongClean() {
    const std::string root = scratch() + "search";
    fillSearchPath(root);
    turnOffFixedLocations();
    for (const char* flag : {"Displaybox", "Logs", "Empfolder"}) {
        settings.writeInt(flag, 0);
    }
    settings.writeInt("Oldfile", 1);
    settings.writeInt("Pathnum", 1);
    settings.writeString("Patha0", root);
    start();
    if (HasFatalFailure()) {
        return nullptr;
    }
    HWND clean = childWithId(main_, "Button", IDC_TOOL_CLEAN);
    if (!clean) {
        ADD_FAILURE() << "no Clean button";
        return nullptr;
    }
    postCommand(main_, IDC_TOOL_CLEAN);
    EXPECT_TRUE(waitUntil([&] { return windowText(clean) == "Stop"; })) << "the run did not start";
    return clean;
}

std::string RunChecks::finalRow() const {
    const int count = listViewCount(list_);
    if (count < 2 || !listViewText(list_, count - 1).starts_with("Freed ")) {
        return {};
    }
    return listViewText(list_, count - 2);
}

TEST_F(RunChecks, ExitDuringARunDoesNothing) {
    HWND clean = startLongClean();
    ASSERT_TRUE(clean && windowText(clean) == "Stop");
    postCommand(main_, IDC_TOOL_EXIT);
    // Commands are handled in turn: a Stop question shows the run outlived the Exit.
    postCommand(main_, IDC_TOOL_CLEAN);
    ASSERT_TRUE(waitForMessageBox("Stop Confirmation")) << "the run ended at the Exit";
    EXPECT_EQ(answerMessageBox("Stop Confirmation", IDNO), "Do you want to stop clean?");

    ASSERT_TRUE(
        waitUntil([&] { return finalRow().find(" had been cleaned.") != std::string::npos; }, 120s))
        << finalRow();
    EXPECT_NE(finalRow().find(" Clean finished: 2000 "), std::string::npos) << finalRow();
    answerMessageBox("Clear Confirmation", IDNO);
    ASSERT_TRUE(waitUntil([&] { return windowText(clean) == "Clean"; }));
    EXPECT_TRUE(app_->isRunning());
    EXPECT_TRUE(isVisible(main_));

    // Once the run is over, Exit ends the program.
    postCommand(main_, IDC_TOOL_EXIT);
    EXPECT_EQ(app_->waitForExit(), 0u);
}

// Clean and Analyze arm the one run timer, and while a run is active its tick goes to that
// run: Analyze, by its button or by F6, asks whether to stop the clean.
TEST_F(RunChecks, AnalyzeAndF6DuringACleanAskToStopTheClean) {
    HWND clean = startLongClean();
    ASSERT_TRUE(clean && windowText(clean) == "Stop");

    postCommand(main_, IDC_TOOL_ANALYZE);
    ASSERT_TRUE(waitForMessageBox("Stop Confirmation")) << "Analyze did not reach the run";
    EXPECT_EQ(answerMessageBox("Stop Confirmation", IDNO), "Do you want to stop clean?");

    pressKey(list_, VK_F6);
    ASSERT_TRUE(waitForMessageBox("Stop Confirmation")) << "F6 did not reach the run";
    EXPECT_EQ(answerMessageBox("Stop Confirmation", IDYES), "Do you want to stop clean?");
    ASSERT_TRUE(
        waitUntil([&] { return finalRow().find(" User stopped: ") != std::string::npos; }, 120s))
        << finalRow();
    answerMessageBox("Clear Confirmation", IDNO);
    EXPECT_TRUE(waitUntil([&] { return windowText(clean) == "Clean"; }));
    EXPECT_EQ(app_->close(), 0u);
}

} // namespace
} // namespace dustbane::e2e
