// The main window's toolbar, its display modes, its commands and the settings summary that
// a first start shows in the main list.

#include "app/win32/resource_ids.h"
#include "driver/driver.h"
#include "driver/remote_buffer.h"
#include "platform/win32/text.h"

#include <algorithm>
#include <commctrl.h>
#include <gtest/gtest.h>

namespace dustbane::e2e {
namespace {

// The toolbar's seven buttons, left to right; the dialogs are top-level windows of their own,
// so every button below the main window is a toolbar button.
std::vector<HWND> toolbarButtons(HWND mainWindow) {
    return childWindows(mainWindow, "Button");
}

bool allButtonsSized(HWND mainWindow, int width, int height) {
    auto buttons = toolbarButtons(mainWindow);
    if (buttons.size() != 7) {
        return false;
    }
    for (HWND button : buttons) {
        RECT rect = windowRect(button);
        if (rect.right - rect.left != width || rect.bottom - rect.top != height) {
            return false;
        }
    }
    return true;
}

HWND mainList(HWND mainWindow) {
    return findChild(mainWindow, "SysListView32");
}

// The start-up chain has loaded the settings once the summary shows.
bool summaryShown(HWND mainWindow) {
    return listViewCount(mainList(mainWindow)) > 0;
}

using MainWindow = Scenario;

TEST_F(MainWindow, OnlyIconsIsStoredAndSurvivesARestart) {
    {
        auto app = App::launch();
        HWND window = app.waitForMainWindow();
        ASSERT_TRUE(window) << "no main window";
        ASSERT_TRUE(waitUntil([&] { return summaryShown(window); }));
        EXPECT_TRUE(allButtonsSized(window, 72, 75));

        postCommand(window, IDM_ONLY_ICONS);
        ASSERT_TRUE(waitUntil([&] { return settings.readInt("DisplayText") == 0; }));
        EXPECT_TRUE(waitUntil([&] { return allButtonsSized(window, 55, 55); }));
        for (HWND button : toolbarButtons(window)) {
            EXPECT_EQ(windowText(button), "");
        }
        EXPECT_EQ(app.close(), 0u);
    }

    auto app = App::launch();
    HWND window = app.waitForMainWindow();
    ASSERT_TRUE(window) << "no main window after the restart";
    EXPECT_TRUE(waitUntil([&] { return allButtonsSized(window, 55, 55); }));
    EXPECT_EQ(settings.readInt("DisplayText"), 0);

    postCommand(window, IDM_SHOW_TEXT);
    ASSERT_TRUE(waitUntil([&] { return settings.readInt("DisplayText") == 1; }));
    EXPECT_TRUE(waitUntil([&] { return allButtonsSized(window, 72, 75); }));
    EXPECT_TRUE(findChild(window, "Button", "Option")) << "Show Text gives fixed captions";
    auto buttons = toolbarButtons(window);
    ASSERT_EQ(buttons.size(), 7u);
    EXPECT_EQ(windowText(buttons[1]), "Analyze") << "Analyze comes right after Clean";
}

TEST_F(MainWindow, HelpAndLogWithoutTheirFilesSaySo) {
    // An empty current directory is the installation folder: no help page, no log.
    auto app = App::launch({.workingDirectory = scratch()});
    HWND window = app.waitForMainWindow();
    ASSERT_TRUE(window) << "no main window";
    ASSERT_TRUE(waitUntil([&] { return summaryShown(window); }));

    postCommand(window, IDC_TOOL_HELP);
    EXPECT_EQ(answerMessageBox("Information", IDOK), "No help file");
    postCommand(window, IDC_TOOL_LOG);
    EXPECT_EQ(answerMessageBox("Information", IDOK), "No Log file");
}

TEST_F(MainWindow, ExitClosesTheProgramAndStoresItsPlacement) {
    auto app = App::launch();
    HWND window = app.waitForMainWindow();
    ASSERT_TRUE(window) << "no main window";
    HWND exit = findChild(window, "Button", "Exit");
    ASSERT_TRUE(exit);

    clickButton(exit);
    EXPECT_EQ(app.waitForExit(), 0u);
    EXPECT_EQ(settings.readInt("Maximize"), 0);
    EXPECT_EQ(settings.readInt("Width"), 761);
}

TEST_F(MainWindow, AboutBoxIsModalOverTheMainWindowAndCancelClosesIt) {
    auto app = App::launch();
    HWND window = app.waitForMainWindow();
    ASSERT_TRUE(window) << "no main window";

    postCommand(window, IDC_TOOL_ABOUT);
    HWND about = waitForTopLevel(app.processId(), "TAboutBox");
    ASSERT_TRUE(about) << "no about box";
    EXPECT_TRUE(findChild(about, "Static", "Quillfen Software, December 2026"));
    EXPECT_FALSE(IsWindowEnabled(window)) << "the about box is modal";
    RECT outer = windowRect(window);
    RECT box = windowRect(about);
    EXPECT_NEAR(box.left - outer.left, outer.right - box.right, 1);
    EXPECT_NEAR(box.top - outer.top, outer.bottom - box.bottom, 1);

    postCommand(about, IDCANCEL);
    EXPECT_TRUE(waitUntil([&] { return !isVisible(about) && IsWindowEnabled(window); }));
    EXPECT_EQ(app.close(), 0u) << "the main window works again";
}

TEST_F(MainWindow, FirstStartShowsTheSettingsSummary) {
    auto app = App::launch();
    HWND window = app.waitForMainWindow();
    ASSERT_TRUE(window) << "no main window";
    HWND list = mainList(window);
    ASSERT_TRUE(list);

    const std::vector<std::string> expected = {
        "Search path: ",
        "  C:",
        "  Program, system and AppData folders are not searched",
        "Other folders or files to clean:",
        "  Temporary folder",
        "  IE Temporary folder",
        "  Windows hotfix or patch",
        "  Windows error report",
        "  WDI created files",
        "  Firefox cache folder",
        "  Acdsee database",
        "  Picture Thumb cache",
        "  Google Earth Cache",
        "  Acrobat Reader8 Cache",
        "  .tmp .old .bak ",
        "  Log files (*.log)",
        "  Temporary files (*.~xy, ~xy.*)",
        // On at a first start: every browser and program cache but the driver caches and the
        // administrator group.
        "Browsers and apps:",
        "  Google Chrome",
        "  Microsoft Edge",
        "  Brave",
        "  Vivaldi",
        "  Opera",
        "  Firefox (current versions)",
        "  Microsoft Teams",
        "  Discord",
        "  Slack",
        "  Visual Studio Code",
        "  DirectX shader cache",
        "  Crash dumps of programs",
    };
    ASSERT_TRUE(waitUntil([&] { return listViewRows(list) == expected; }))
        << "rows: " << ::testing::PrintToString(listViewRows(list));
    EXPECT_EQ(listViewImage(list, 0), 0);
    EXPECT_EQ(listViewImage(list, 1), 4) << "a search path is what the user entered";

    HWND status = findChild(window, "msctls_statusbar32");
    ASSERT_TRUE(status);
    EXPECT_EQ(statusBarPartCount(status), 3);
    EXPECT_EQ(statusBarText(status, 0), "Double click setting to change");
    EXPECT_EQ(statusBarText(status, 1), "");
}

int selectedRow(HWND list) {
    return static_cast<int>(
        sendMessage(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

// The list view's own incremental search: typing a letter asks the owner-data list which line
// begins with it.
TEST_F(MainWindow, TypingALetterInTheListSelectsTheNextLineThatBeginsWithIt) {
    auto app = App::launch();
    HWND window = app.waitForMainWindow();
    ASSERT_TRUE(window) << "no main window";
    ASSERT_TRUE(waitUntil([&] { return summaryShown(window); }));
    HWND list = mainList(window);
    const std::vector<std::string> rows = listViewRows(list);
    const auto rowOf = [&rows](const std::string& caption) {
        return static_cast<int>(std::find(rows.begin(), rows.end(), caption) - rows.begin());
    };

    const auto type = [list](wchar_t letter) {
        // A repeat count of one, as the keyboard sends it: the list ignores a bare character.
        sendMessage(list, WM_CHAR, letter, 1);
        // Letters typed in quick succession make a word; each of these starts a new search.
        Sleep(1100);
    };
    type(L't');
    EXPECT_EQ(selectedRow(list), rowOf("  Temporary folder"));
    type(L'G');
    EXPECT_EQ(selectedRow(list), rowOf("  Google Earth Cache"));
    // No line begins with q: the selection stays where it was, never jumps to the top.
    type(L'q');
    EXPECT_EQ(selectedRow(list), rowOf("  Google Earth Cache"));
    EXPECT_EQ(app.close(), 0u);
}

// A line with fewer bytes than another can still be the wider one: the column fits the
// widest line in pixels, so nothing of it is cut off.
TEST_F(MainWindow, AShortButWideAccentedLineIsNotCutOff) {
    const std::string narrow = "C:\\" + std::string(300, 'i');
    std::string wide = "C:\\";
    for (int i = 0; i < 120; ++i) {
        wide += "\xC5\xB4"; // W with circumflex: two bytes, as wide as a W
    }
    ASSERT_LT(wide.size(), narrow.size());
    settings.writeInt("Pathnum", 2);
    settings.writeString("Patha0", narrow);
    settings.writeString("Patha1", wide);

    auto app = App::launch();
    HWND window = app.waitForMainWindow();
    ASSERT_TRUE(window) << "no main window";
    ASSERT_TRUE(waitUntil([&] { return summaryShown(window); }));
    HWND list = mainList(window);

    const std::wstring wideLine = win32::widen("  " + wide);
    RemoteBuffer text(processOf(list), (wideLine.size() + 1) * sizeof(wchar_t));
    text.write(wideLine.c_str(), (wideLine.size() + 1) * sizeof(wchar_t));
    const int needed = static_cast<int>(
        sendMessage(list, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(text.address())));
    const int column = static_cast<int>(sendMessage(list, LVM_GETCOLUMNWIDTH, 0, 0));
    EXPECT_GT(needed, widthOf(windowRect(list))) << "the line must be wider than the list";
    EXPECT_GE(column, needed) << "the column cuts the line off";
    EXPECT_EQ(app.close(), 0u);
}

} // namespace
} // namespace dustbane::e2e
