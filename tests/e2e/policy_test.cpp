// The administrator's Group Policy values, written where the policy editor writes them (HKLM
// and HKCU\Software\Policies\Quillfen\Cleaner), against what the user ticked: the window's
// clean, the options dialog and /clean follow the policies, the machine's over the user's.

#include "app/win32/resource_ids.h"
#include "driver/console_run.h"
#include "driver/driver.h"
#include "options/win32/options_ids.h"
#include "platform/win32/text.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>
#include <windows.h>

namespace dustbane::e2e {
namespace {

using Strings = std::vector<std::string>;

const char* const policyPath = "Software\\Policies\\Quillfen\\Cleaner";
const std::string mark = "(Set by your administrator)";

RegKey machinePolicy(const std::string& below = "") {
    return {HKEY_LOCAL_MACHINE,
            below.empty() ? policyPath : std::string(policyPath) + "\\" + below};
}

RegKey userPolicy(const std::string& below = "") {
    return {HKEY_CURRENT_USER, below.empty() ? policyPath : std::string(policyPath) + "\\" + below};
}

std::string tempFolder() {
    wchar_t buffer[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, buffer);
    return win32::narrow(buffer);
}

size_t countContaining(const Strings& lines, const std::string& text) {
    return static_cast<size_t>(std::count_if(lines.begin(), lines.end(), [&](const auto& line) {
        return line.find(text) != std::string::npos;
    }));
}

class Policy : public Scenario {
  protected:
    // The user's own settings: the temporary folder ticked, two search paths for .tmp files,
    // no confirmation, a log.
    void storeUserSettings() {
        turnOffFixedLocations();
        settings.writeInt("Tempfolder", 1);
        for (const char* rule : {"Tempfile", "Logfile", "Picthumb", "Zerofile", "Empfolder"}) {
            settings.writeInt(rule, 0);
        }
        settings.writeInt("Oldfile", 1);
        settings.writeInt("Displaybox", 0);
        settings.writeInt("Logs", 1);
        settings.writeString("Installdir", installDir());
        settings.writeInt("Pathnum", 2);
        settings.writeString("Patha0", allowed());
        settings.writeString("Patha1", forbidden());
        settings.writeInt("Foldernum", 0);
        settings.writeInt("Filenum", 0);
        settings.writeInt("Pathexnum", 0);
    }

    std::string allowed() { return scratch() + "allowed"; }
    std::string forbidden() { return scratch() + "forbidden"; }

    void start() {
        app_.emplace(App::launch());
        main_ = app_->waitForMainWindow();
        ASSERT_TRUE(main_) << "no main window";
        list_ = findChild(main_, "SysListView32");
        ASSERT_TRUE(waitUntil([&] { return listViewCount(list_) > 0; }));
    }

    Strings rows() const { return listViewRows(list_); }

    std::optional<App> app_;
    HWND main_ = nullptr;
    HWND list_ = nullptr;
};

TEST_F(Policy, AForcedOffTargetAndAForbiddenSearchPathStayWhateverTheUserTicked) {
    storeUserSettings();
    const std::string probe = tempFolder() + "policy_probe.tmp";
    writeFile(probe, "t");
    writeFile(allowed() + "\\a.tmp", "a");
    writeFile(forbidden() + "\\b.tmp", "b");
    writeFile(forbidden() + "\\deep\\c.tmp", "c");
    // The machine's value wins over the user's policy, which wins over the user's tick.
    userPolicy().writeInt("Tempfolder", 1);
    machinePolicy().writeInt("Tempfolder", 0);
    machinePolicy().writeInt("Recycle", 0);
    userPolicy("ForbiddenPaths").writeString("1", forbidden());
    // Of the wrong type: passed over, and named once in each run's log block.
    machinePolicy().writeString("Logs", "1");

    start();
    postCommand(main_, IDC_TOOL_CLEAN);
    ASSERT_TRUE(waitUntil(
        [&] {
            const Strings all = rows();
            return !all.empty() && all.back().starts_with("Freed ");
        },
        60s))
        << joined(rows());

    EXPECT_TRUE(fileExists(probe)) << "the temporary folder was cleaned";
    EXPECT_FALSE(fileExists(allowed() + "\\a.tmp"));
    EXPECT_TRUE(fileExists(forbidden() + "\\b.tmp"));
    EXPECT_TRUE(fileExists(forbidden() + "\\deep\\c.tmp"));
    const Strings all = rows();
    EXPECT_EQ(
        countContaining(all, "Not cleaned, your administrator forbids this path: " + forbidden()),
        1u)
        << joined(all);
    EXPECT_EQ(countContaining(all, forbidden() + "\\"), 0u) << "a forbidden path was scanned";

    const std::string log = readFile(installDir() + "logs.log").value_or("");
    const std::string ignored = "Policy value of the wrong type or out of range, ignored: "
                                "HKLM\\Software\\Policies\\Quillfen\\Cleaner\\Logs";
    ASSERT_NE(log.find(ignored), std::string::npos) << log;
    EXPECT_EQ(log.find(ignored), log.rfind(ignored)) << "logged more than once in one run";
}

TEST_F(Policy, TheOptionsShowWhatTheAdministratorSetsDisabledAndMarkedAndOkKeepsTheUsersOwn) {
    storeUserSettings();
    settings.writeInt("Recycle", 1);
    machinePolicy().writeInt("Recycle", 0);
    machinePolicy().writeInt("FixedPathList", 1);
    machinePolicy("PathList").writeString("1", allowed());
    userPolicy().writeInt("ChromeCache", 0);
    machinePolicy().writeInt("AllowContextmenu", 0);
    const RegKey verb(HKEY_CURRENT_USER, "Software\\Classes\\Folder\\shell\\Run Dustbane");
    verb.writeString("", "Run Dustbane");

    start();
    EXPECT_TRUE(waitUntil([&] { return !verb.exists(); })) << "the disallowed verb stayed";
    postCommand(main_, IDC_TOOL_OPTIONS);
    HWND dialog = waitForTopLevel(app_->processId(), "TForm2", "Clean Settings");
    ASSERT_TRUE(dialog);
    const auto control = [&](int id) {
        for (HWND page : childWindows(dialog, "#32770")) {
            if (HWND found = GetDlgItem(page, id)) {
                return found;
            }
        }
        return GetDlgItem(dialog, id);
    };
    // The mark after the control's caption, on the line below it, or on its group's caption.
    const auto marked = [&](HWND box) {
        if (windowText(box).find(mark) != std::string::npos) {
            return true;
        }
        const RECT bounds = windowRect(box);
        for (HWND sibling = GetWindow(GetParent(box), GW_CHILD); sibling;
             sibling = GetWindow(sibling, GW_HWNDNEXT)) {
            const RECT other = windowRect(sibling);
            const bool below = other.top == bounds.bottom && windowText(sibling) == mark;
            const bool around = className(sibling) == "Button" && other.left <= bounds.left &&
                                other.right >= bounds.right && other.top <= bounds.top &&
                                other.bottom >= bounds.bottom &&
                                windowText(sibling).find(mark) != std::string::npos;
            // The style, not IsWindowVisible: the page may be one not shown now.
            const bool shown = (GetWindowLongPtrW(sibling, GWL_STYLE) & WS_VISIBLE) != 0;
            if (shown && (below || around)) {
                return true;
            }
        }
        return false;
    };
    HWND chrome = nullptr;
    for (HWND page : childWindows(dialog, "#32770")) {
        chrome = chrome ? chrome : findChild(page, "Button", "Google Chrome");
    }
    ASSERT_TRUE(chrome);

    for (HWND locked : {control(IDX_RECYCLE), control(IDX_CONTEXTMENU), chrome}) {
        EXPECT_FALSE(IsWindowEnabled(locked)) << windowText(locked);
        EXPECT_TRUE(marked(locked)) << windowText(locked);
    }
    EXPECT_FALSE(IsWindowEnabled(control(IDC_PATHS_LIST)));
    EXPECT_NE(windowText(control(IDT_PATHS)).find(mark), std::string::npos);
    for (HWND free : {control(IDX_DISPLAY), control(IDX_LOGS), control(IDX_AGELIMIT)}) {
        EXPECT_TRUE(IsWindowEnabled(free)) << windowText(free);
        EXPECT_FALSE(marked(free)) << windowText(free);
    }
    EXPECT_EQ(sendMessage(control(IDX_RECYCLE), BM_GETCHECK, 0, 0), BST_UNCHECKED);

    clickButton(control(IDOK));
    ASSERT_TRUE(waitUntil([&] { return !isVisible(dialog); }));
    EXPECT_EQ(settings.readInt("Recycle"), 1) << "OK wrote the administrator's value";
    EXPECT_EQ(settings.readString("Patha0"), allowed());
    EXPECT_EQ(settings.readString("Patha1"), forbidden());
    EXPECT_FALSE(verb.exists());
}

TEST_F(Policy, CleanRefusedByTheUsersPolicyRunsOnceTheMachineAllowsItWithPoliciesAlone) {
    writeFile(allowed() + "\\a.tmp", "a");
    settings.writeString("Installdir", installDir());
    machinePolicy().writeInt("FixedPathList", 1);
    machinePolicy("PathList").writeString("1", allowed());
    userPolicy().writeInt("AllowClean", 0);

    const ConsoleRun refused = runConsole({"/clean"});
    EXPECT_EQ(refused.exitCode, 2u) << joined(refused.lines);
    EXPECT_EQ(countContaining(refused.lines, "administrator does not allow /clean"), 1u)
        << joined(refused.lines);
    EXPECT_TRUE(fileExists(allowed() + "\\a.tmp"));

    machinePolicy().writeInt("AllowClean", 1);
    const ConsoleRun allowedRun = runConsole({"/clean"});
    EXPECT_EQ(allowedRun.exitCode, 0u) << joined(allowedRun.lines);
    EXPECT_FALSE(fileExists(allowed() + "\\a.tmp")) << joined(allowedRun.lines);
    EXPECT_FALSE(settings.hasValue("Pathnum")) << "the policy's list became the user's";
}

} // namespace
} // namespace dustbane::e2e
