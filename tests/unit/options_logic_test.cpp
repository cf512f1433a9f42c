#include "app/start_up_chain.h"
#include "fakes/fake_platform.h"
#include "options/options_logic.h"

#include <gtest/gtest.h>

namespace dustbane {
namespace {

using testing::FakePlatform;
using testing::FakeRegistry;

const std::string key = settingsKeyPath;
const std::string installDir = "C:\\Program Files\\Dustbane\\";
const std::string logPath = installDir + "logs.log";
const std::string recycleQuestion =
    "Do you want to delete permanently(can not be restored) when find in search path?";

struct OptionsTest : ::testing::Test {
    FakePlatform fake;
    AppServices app{fake.platform};
    SettingsSummary summary{app.settings, app.language, fake.window.model, app.folders};
    OptionsLogic logic{app, summary, fake.window.model};
    StartUpChain startUp{app, summary, logic, fake.window};

    OptionsTest() { app.installDir = installDir; }

    std::optional<FakeRegistry::Value> stored(const std::string& name) const {
        return fake.registry.get(key, name);
    }
    static FakeRegistry::Value number(int32_t value) { return value; }
    static FakeRegistry::Value text(const std::string& value) { return value; }

    // A record that differs from the start-up values everywhere, stored as a previous OK left it.
    void storeCustomSettings() {
        CleanSettings& s = app.settings;
        for (const FlagField& flag : flagFields) {
            if (flag.field != &CleanSettings::Recycle) {
                s.*flag.field = !(s.*flag.field);
            }
        }
        s.Ext = "obj;gss";
        s.FilesName = "desktop.ini";
        s.Logday = 30;
        s.PathList = {{"C:\\Data", true}, {"D:", false}};
        s.PathexList = {{"C:\\Data\\Keep", true}};
        s.FolderList = {{"C:\\Cache", false}};
        s.FileList = {{"C:\\a.txt", true}, {"C:\\b.txt", true}};
        ASSERT_EQ(app.store.saveSettings(s), "");
        ASSERT_EQ(app.store.saveLists(s), "");
    }
};

TEST_F(OptionsTest, ClosingWithoutOkRestoresEveryFieldAndListFromTheSnapshot) {
    storeCustomSettings();
    const CleanSettings before = app.settings;
    logic.shown();

    for (const FlagField& flag : flagFields) {
        logic.setFlag(flag.field, !(app.settings.*flag.field));
    }
    app.settings.Ext = "bak";
    app.settings.FilesName.clear();
    logic.setLogDaysText("77");
    ASSERT_TRUE(addUnlessListed(app.settings.PathList, "E:\\New", fake.system));
    logic.remove(PathListKind::Files, {0});
    app.settings.FolderList.clear();
    app.settings.PathexList[0].checked = false;
    ASSERT_NE(app.settings, before);

    logic.closing();

    EXPECT_EQ(app.settings, before);
    EXPECT_EQ(stored("Ext"), text("obj;gss")) << "Cancel writes nothing";
    EXPECT_EQ(stored("Filenum"), number(2));
    EXPECT_EQ(fake.prompter.questions.size(), 1u) << "only the untick asked; the restore ticks";
}

TEST_F(OptionsTest, OkAfterShowKeepsTheEditsAndClosingThenRestoresNothing) {
    logic.shown();
    logic.setFlag(&CleanSettings::Firefox, false);
    ASSERT_TRUE(logic.add(PathListKind::Folders) == false);
    fake.shell.folderAnswers = {"C:\\Cache"};
    ASSERT_TRUE(logic.add(PathListKind::Folders));

    logic.ok();
    logic.closing();

    EXPECT_TRUE(logic.accepted());
    EXPECT_FALSE(app.settings.Firefox);
    EXPECT_EQ(stored("Firefox"), number(0));
    EXPECT_EQ(stored("Foldera0"), text("C:\\Cache"));
    EXPECT_EQ(app.settings.FolderList, (CheckedPathList{{"C:\\Cache", true}}));
    logic.shown();
    EXPECT_FALSE(logic.accepted()) << "showing again clears accepted";
}

TEST_F(OptionsTest, DefaultAsksAndChangesOnlyTheLiveRecord) {
    storeCustomSettings();
    logic.shown();
    fake.prompter.answers = {answer::no};
    EXPECT_FALSE(logic.restoreDefaultsAsked());
    EXPECT_EQ(app.settings.Ext, "obj;gss");

    EXPECT_TRUE(logic.restoreDefaultsAsked());
    ASSERT_EQ(fake.prompter.questions.size(), 2u);
    EXPECT_EQ(fake.prompter.questions[1].text,
              "Do you restore ALL settings to default values now?");
    EXPECT_EQ(fake.prompter.questions[1].caption, "Confirmation");
    EXPECT_EQ(fake.prompter.questions[1].style, 0x2024u);

    CleanSettings expected;
    restoreDefaults(expected);
    expected.Logday = 30;
    EXPECT_EQ(app.settings, expected);
    EXPECT_EQ(stored("Zerofile"), number(1)) << "nothing is written before OK";
    EXPECT_EQ(stored("Pathnum"), number(2));

    logic.ok();
    EXPECT_EQ(stored("Pathnum"), number(0));
    EXPECT_EQ(stored("Logs"), number(1));
    EXPECT_EQ(stored("Zerofile"), number(0));
    EXPECT_EQ(stored("Logday"), number(30));
    EXPECT_FALSE(fake.registry.has(key, "Patha0"));

    app.settings = CleanSettings{};
    app.settings.PathList.clear();
    logic.closing();
    startUp.offerPathArgument("");
    EXPECT_TRUE(app.settings.PathList.empty()) << "the next start shows no C:";
}

TEST_F(OptionsTest, DefaultThenCancelAsksAgainWhenRecycleWasOffBefore) {
    app.settings.Recycle = false;
    ASSERT_EQ(app.store.saveSettings(app.settings), "");
    logic.shown();
    ASSERT_TRUE(logic.restoreDefaultsAsked());
    EXPECT_TRUE(app.settings.Recycle);
    fake.prompter.answers = {answer::yes};

    logic.closing();

    ASSERT_EQ(fake.prompter.questions.size(), 2u);
    EXPECT_EQ(fake.prompter.questions[1].text, recycleQuestion);
    EXPECT_FALSE(app.settings.Recycle);
}

TEST_F(OptionsTest, RecycleNoTicksAgainAndStoresAtOnceEvenWhenCancelled) {
    logic.shown();
    app.settings.Recycle = true;
    fake.registry.set(key, "Recycle", 0); // as if the snapshot had held it off
    fake.prompter.answers = {answer::no};

    logic.setFlag(&CleanSettings::Recycle, false);

    ASSERT_EQ(fake.prompter.questions.size(), 1u);
    EXPECT_EQ(fake.prompter.questions[0].text, recycleQuestion);
    EXPECT_EQ(fake.prompter.questions[0].caption, "Confirmation");
    EXPECT_EQ(fake.prompter.questions[0].style, 0x2124u);
    EXPECT_TRUE(app.settings.Recycle);
    EXPECT_EQ(stored("Recycle"), number(1)) << "written before OK or Cancel";

    logic.closing();
    EXPECT_TRUE(app.settings.Recycle);
    EXPECT_EQ(stored("Recycle"), number(1));
}

TEST_F(OptionsTest, RecycleYesStaysOffUntilCancelTicksItBackWithoutAsking) {
    logic.shown();
    logic.setFlag(&CleanSettings::Recycle, false);
    EXPECT_FALSE(app.settings.Recycle);
    EXPECT_EQ(stored("Recycle"), number(1)) << "Yes writes nothing";

    logic.setFlag(&CleanSettings::Recycle, false);
    logic.setFlag(&CleanSettings::Display, false);
    EXPECT_EQ(fake.prompter.questions.size(), 1u) << "only a change from ticked asks";

    logic.closing();
    EXPECT_TRUE(app.settings.Recycle);
    EXPECT_EQ(fake.prompter.questions.size(), 1u);
}

TEST_F(OptionsTest, RecycleNoThatCannotBeStoredIsReported) {
    fake.registry.makeReadOnly(key);
    fake.prompter.answers = {answer::no};
    logic.setFlag(&CleanSettings::Recycle, false);
    EXPECT_TRUE(app.settings.Recycle);
    ASSERT_EQ(fake.prompter.errors.size(), 1u);
    EXPECT_NE(fake.prompter.errors[0].find("Cleaner"), std::string::npos);
}

TEST_F(OptionsTest, AStartUpLoadOfRecycleOffAsks) {
    fake.registry.set(key, "Recycle", 0);
    fake.prompter.answers = {answer::no};
    startUp.offerPathArgument("");
    ASSERT_EQ(fake.prompter.questions.size(), 1u);
    EXPECT_TRUE(app.settings.Recycle);
    EXPECT_EQ(stored("Recycle"), number(1));
}

TEST_F(OptionsTest, AddUsesEachListsTitleAndTheExactTextRule) {
    app.settings.PathList = {{"C:\\Data", true}};
    fake.shell.folderAnswers = {"C:\\Data", "c:\\data", "", "C:\\Skip", "C:\\Gone"};

    EXPECT_FALSE(logic.add(PathListKind::Paths));
    EXPECT_TRUE(logic.add(PathListKind::Paths));
    EXPECT_FALSE(logic.add(PathListKind::Paths)) << "a cancelled browser adds nothing";
    EXPECT_TRUE(logic.add(PathListKind::ExcludedPaths));
    EXPECT_TRUE(logic.add(PathListKind::Folders));

    EXPECT_EQ(fake.shell.browseTitles,
              (std::vector<std::string>{"Add a path", "Add a path", "Add a path", "Exclude a path",
                                        "Add a folder"}));
    EXPECT_EQ(app.settings.PathList, (CheckedPathList{{"C:\\Data", true}, {"c:\\data", true}}));
    EXPECT_EQ(app.settings.PathexList, (CheckedPathList{{"C:\\Skip", true}}));
    EXPECT_EQ(app.settings.FolderList, (CheckedPathList{{"C:\\Gone", true}}));

    app.settings.FileList = {{"C:\\b.txt", false}};
    fake.shell.fileAnswers = {{"C:\\c.txt", "C:\\b.txt", "C:\\a.txt", "C:\\c.txt"}};
    EXPECT_TRUE(logic.add(PathListKind::Files));
    EXPECT_FALSE(logic.add(PathListKind::Files)) << "cancelled picker";
    EXPECT_EQ(app.settings.FileList,
              (CheckedPathList{{"C:\\a.txt", true}, {"C:\\b.txt", false}, {"C:\\c.txt", true}}));
}

TEST_F(OptionsTest, AFolderToDeleteIsNeverProtectedAndOnlyAConfirmedKnownFolder) {
    fake.shell.folderAnswers = {"C:\\",
                                "C:\\Work\\..\\users\\tester",
                                "C:\\windows",
                                "C:\\users\\tester\\Documents",
                                "C:\\users\\tester\\Documents",
                                "C:\\Work\\.\\Cache\\"};
    fake.prompter.answers = {answer::no, answer::yes};
    for (int i = 0; i < 3; ++i) {
        EXPECT_FALSE(logic.add(PathListKind::Folders));
    }
    EXPECT_FALSE(logic.add(PathListKind::Folders)) << "the known folder was declined";
    EXPECT_TRUE(logic.add(PathListKind::Folders));
    EXPECT_TRUE(logic.add(PathListKind::Folders));

    ASSERT_EQ(fake.prompter.informations.size(), 3u);
    EXPECT_EQ(
        fake.prompter.informations[1].text.rfind("C:\\users\\tester is a protected folder", 0), 0u);
    ASSERT_EQ(fake.prompter.questions.size(), 2u);
    EXPECT_EQ(fake.prompter.questions[0].caption, "Confirmation");
    EXPECT_EQ(fake.prompter.questions[0].style, style::questionNoDefault);
    EXPECT_EQ(app.settings.FolderList, (CheckedPathList{{"C:\\users\\tester\\Documents", true},
                                                        {"C:\\Work\\Cache\\", true}}));
    // A search path may be a drive: it is scanned, never emptied.
    fake.shell.folderAnswers = {"C:\\"};
    EXPECT_TRUE(logic.add(PathListKind::Paths));
}

TEST_F(OptionsTest, OkStoresSettingsVerbAndListsThenRebuildsTheSummary) {
    app.settings.Logs = false;
    fake.files.addFile(logPath, "old runs");
    app.settings.Ext = "obj";
    app.settings.PathList = {{"D:\\Work", false}};
    fake.window.model.setListMenuEnabled(false);

    logic.ok();

    EXPECT_EQ(stored("Ext"), text("obj"));
    EXPECT_EQ(stored("Pathb0"), text("D:\\Work"));
    EXPECT_EQ(fake.registry.get("Software\\Classes\\Folder\\shell\\Run Dustbane\\command", ""),
              text("\"" + installDir + "Dustbane.exe\" \"%1\""));
    EXPECT_FALSE(fake.files.exists(logPath)) << "logging off removes the log";
    EXPECT_EQ(fake.window.header, "Now Settings");
    EXPECT_TRUE(fake.window.listMenuEnabled);
    EXPECT_TRUE(fake.prompter.errors.empty());
}

TEST_F(OptionsTest, OkDuringARunLeavesTheResultLinesAndKeepsALogThatIsOn) {
    app.settings.Logs = true;
    fake.files.addFile(logPath, "old runs");
    fake.window.model.setActive(true);
    fake.window.showLines({{"10:42:07 Clean Temporary folder", LineImage::Information}});
    fake.window.model.setListMenuEnabled(false);

    logic.ok();

    EXPECT_TRUE(fake.files.exists(logPath));
    EXPECT_EQ(fake.window.lines.size(), 1u);
    EXPECT_FALSE(fake.window.listMenuEnabled);
}

TEST_F(OptionsTest, AVerbThatCannotBeWrittenIsReportedAndTheRestIsStillSaved) {
    fake.registry.makeReadOnly("Software\\Classes");
    app.settings.Ext = "obj";
    app.settings.FolderList = {{"C:\\Cache", true}};

    logic.ok();

    ASSERT_EQ(fake.prompter.errors.size(), 1u);
    EXPECT_NE(fake.prompter.errors[0].find("Run Dustbane"), std::string::npos);
    EXPECT_EQ(stored("Ext"), text("obj"));
    EXPECT_EQ(stored("Foldera0"), text("C:\\Cache"));
    EXPECT_EQ(fake.window.header, "Now Settings");
}

TEST_F(OptionsTest, ASettingsKeyThatCannotBeWrittenIsNamedInOneReport) {
    fake.registry.set(key, "Ext", std::string("old"));
    fake.registry.makeReadOnly(key);
    app.settings.Ext = "obj";

    logic.shown();
    ASSERT_EQ(fake.prompter.errors.size(), 1u) << "the snapshot failure is told too";
    logic.ok();

    ASSERT_EQ(fake.prompter.errors.size(), 2u);
    const std::string& report = fake.prompter.errors[1];
    EXPECT_NE(report.find("Tempfolder"), std::string::npos) << report;
    EXPECT_NE(report.find("Pathnum"), std::string::npos) << "the lists failed too: " << report;
    EXPECT_EQ(stored("Ext"), text("old"));
    EXPECT_TRUE(fake.registry.keyExists(RegistryRoot::CurrentUser,
                                        "Software\\Classes\\Drive\\shell\\Run Dustbane\\command"))
        << "the verb does not depend on the settings key";
}

TEST_F(OptionsTest, OkRegistersTheChosenScheduleAndStoresIt) {
    logic.shown();
    app.settings.Schedule = {ScheduleKind::Weekly, 0, 7 * 60 + 15};

    logic.ok();

    ASSERT_TRUE(fake.scheduler.task);
    EXPECT_EQ(fake.scheduler.task->schedule, app.settings.Schedule);
    EXPECT_EQ(fake.scheduler.task->arguments, "/clean");
    EXPECT_EQ(stored("Schedule"), number(2));
    EXPECT_EQ(stored("Scheduleday"), number(0));
    EXPECT_EQ(stored("Scheduletime"), number(435));
    EXPECT_TRUE(fake.prompter.errors.empty());
}

TEST_F(OptionsTest, ATaskThatCannotBeCreatedIsReportedAndTheRestOfOkIsStillSaved) {
    logic.shown();
    fake.scheduler.failure = "Access is denied.";
    app.settings.Schedule = {ScheduleKind::Daily, 1, 22 * 60};
    app.settings.Ext = "obj";
    app.settings.Logs = true;
    app.settings.FolderList = {{"C:\\Cache", true}};

    logic.ok();

    EXPECT_EQ(
        fake.prompter.errors,
        std::vector<std::string>{"The scheduled clean could not be set up: Access is denied."});
    EXPECT_EQ(stored("Ext"), text("obj"));
    EXPECT_EQ(stored("Logs"), number(1));
    EXPECT_EQ(stored("Foldera0"), text("C:\\Cache"));
    EXPECT_EQ(stored("Schedule"), number(0)) << "no task, so the schedule stays off";
    EXPECT_EQ(app.settings.Schedule, CleanSchedule{});
    EXPECT_TRUE(logic.accepted());
    EXPECT_EQ(fake.window.header, "Now Settings");
}

TEST_F(OptionsTest, DefaultTurnsTheScheduleOffAndOkThenRemovesTheTask) {
    app.settings.Schedule = {ScheduleKind::Daily, 3, 60};
    logic.ok();
    ASSERT_TRUE(fake.scheduler.task);

    logic.shown();
    ASSERT_TRUE(logic.restoreDefaultsAsked());
    EXPECT_EQ(app.settings.Schedule, (CleanSchedule{ScheduleKind::Off, 3, 60}));
    EXPECT_TRUE(fake.scheduler.task) << "nothing changes before OK";
    logic.ok();

    EXPECT_FALSE(fake.scheduler.task);
    EXPECT_EQ(stored("Schedule"), number(0));
}

TEST_F(OptionsTest, CancelLeavesTheTaskAndTheStoredScheduleAlone) {
    app.settings.Schedule = {ScheduleKind::Weekly, 2, 600};
    logic.ok();
    const int calls = fake.scheduler.calls;

    logic.shown();
    app.settings.Schedule.kind = ScheduleKind::Off;
    logic.closing();

    EXPECT_EQ(fake.scheduler.calls, calls);
    EXPECT_EQ(app.settings.Schedule, (CleanSchedule{ScheduleKind::Weekly, 2, 600}));
}

TEST_F(OptionsTest, UntickedContextMenuRemovesTheVerbOnShow) {
    logic.shown();
    ASSERT_TRUE(fake.registry.keyExists(RegistryRoot::CurrentUser,
                                        "Software\\Classes\\Drive\\shell\\Run Dustbane"));
    app.settings.Contextmenu = false;
    logic.shown();
    EXPECT_FALSE(fake.registry.keyExists(RegistryRoot::CurrentUser,
                                         "Software\\Classes\\Drive\\shell\\Run Dustbane"));
    EXPECT_TRUE(fake.prompter.errors.empty());
}

TEST_F(OptionsTest, LogCommands) {
    logic.viewLog();
    ASSERT_EQ(fake.prompter.informations.size(), 1u);
    EXPECT_EQ(fake.prompter.informations[0].text, "No Log file!");
    EXPECT_TRUE(fake.shell.opened.empty());

    fake.files.addFile(logPath, "runs");
    logic.viewLog();
    EXPECT_EQ(fake.shell.opened, std::vector<std::string>{logPath});

    fake.prompter.answers = {answer::no};
    logic.clearLog();
    EXPECT_TRUE(fake.files.exists(logPath));
    logic.clearLog();
    EXPECT_FALSE(fake.files.exists(logPath));
    ASSERT_EQ(fake.prompter.questions.size(), 2u);
    EXPECT_EQ(fake.prompter.questions[0].text, "Do you want to clean log?");
    EXPECT_EQ(fake.prompter.questions[0].caption, "Clean Confirmation");
    EXPECT_EQ(fake.prompter.questions[0].style, 0x2124u);
    logic.clearLog();
    EXPECT_EQ(fake.prompter.informations.size(), 1u) << "nothing is shown afterwards";
}

TEST_F(OptionsTest, ANewFolderArgumentAnsweredYesIsStoredWithEverySetting) {
    fake.files.addFolder("D:\\Photos");
    fake.registry.set(key, "Ext", std::string("obj"));

    startUp.offerPathArgument("D:\\Photos");

    ASSERT_EQ(fake.prompter.questions.size(), 1u);
    EXPECT_EQ(fake.prompter.questions[0].text, "Do you want to add 'D:\\Photos' to search path?");
    EXPECT_EQ(fake.prompter.questions[0].caption, "Add path");
    EXPECT_EQ(fake.prompter.questions[0].style, 0x2024u);
    EXPECT_EQ(app.settings.PathList, (CheckedPathList{{"C:", true}, {"D:\\Photos", true}}));
    EXPECT_EQ(stored("Pathnum"), number(2));
    EXPECT_EQ(stored("Patha1"), text("D:\\Photos"));
    EXPECT_EQ(stored("Tempfolder"), number(1));
    EXPECT_EQ(stored("Ext"), text("obj"));
    EXPECT_GE(fake.window.pumps, 1);
}

TEST_F(OptionsTest, ADriveRootArgumentIsOffered) {
    fake.prompter.answers = {answer::no};
    startUp.offerPathArgument("D:\\");
    ASSERT_EQ(fake.prompter.questions.size(), 1u);
    EXPECT_EQ(fake.prompter.questions[0].text, "Do you want to add 'D:\\' to search path?");
    EXPECT_EQ(app.settings.PathList, (CheckedPathList{{"C:", true}}));
    EXPECT_FALSE(fake.registry.has(key, "Pathnum")) << "No writes nothing";
}

TEST_F(OptionsTest, ArgumentsThatAreNoNewFolderAskNothing) {
    fake.files.addFile("C:\\notes.txt");
    fake.files.addFolder("D:\\Photos");
    fake.registry.set(key, "Pathnum", 1);
    fake.registry.set(key, "Pathb0", std::string("d:\\PHOTOS"));

    for (const char* argument : {"", "C:\\notes.txt", "E:\\Missing", "D:\\Photos"}) {
        app.settings.PathList.clear();
        startUp.offerPathArgument(argument);
        EXPECT_EQ(app.settings.PathList, (CheckedPathList{{"d:\\PHOTOS", false}})) << argument;
    }
    EXPECT_TRUE(fake.prompter.questions.empty());
    EXPECT_EQ(fake.window.header, "Now Settings") << "the summary is built in every case";
}

} // namespace
} // namespace dustbane
