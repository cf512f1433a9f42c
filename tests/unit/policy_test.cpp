#include "app/start_up_chain.h"
#include "cli/command_run.h"
#include "engine/clean_driver.h"
#include "engine_fixture.h"
#include "fakes/fake_platform.h"
#include "options/options_logic.h"
#include "settings/context_menu.h"
#include "settings/policy.h"
#include "settings/settings_store.h"
#include "settings/settings_summary.h"
#include "start/app_services.h"
#include "targets/target_catalogue.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace dustbane::testing {
namespace {

const std::string installDir = "C:\\Program Files\\Dustbane\\";
const std::string logPath = installDir + "logs.log";
const RegistryRoot machine = RegistryRoot::LocalMachine;
const RegistryRoot user = RegistryRoot::CurrentUser;
const std::string mark = "  (Set by your administrator)";

std::string listKey(const char* name) {
    return std::string(policyKeyPath) + "\\" + name;
}

size_t countContaining(const std::vector<std::string>& lines, const std::string& text) {
    return size_t(std::count_if(lines.begin(), lines.end(), [&](const std::string& line) {
        return line.find(text) != std::string::npos;
    }));
}

// The program's logic over the fakes with the user's saved settings: a search path, a folder
// and a file to delete, with the fixed locations off.
struct Program {
    Program() {
        app.installDir = installDir;
        fake.files.addFolder("C:\\Program Files\\Dustbane");
        for (const char* path : {"C:\\s\\a.tmp", "C:\\s\\inner\\b.tmp", "C:\\f\\one.txt",
                                 "C:\\single.txt", "C:\\data\\c.tmp"}) {
            fake.files.addFile(path);
        }
        CleanSettings saved;
        turnOffFixedLocations(saved);
        saved.Displaybox = false;
        saved.Logs = true;
        saved.FolderList = {{"C:\\f", true}};
        saved.FileList = {{"C:\\single.txt", true}};
        saved.PathList = {{"C:\\s", true}};
        app.store.saveSettings(saved);
        app.store.saveLists(saved);
    }

    void setPolicy(const std::string& name, FakeRegistry::Value value, RegistryRoot root) {
        fake.registry.set(policyKeyPath, name, std::move(value), root);
    }

    void load() {
        app.settings = CleanSettings();
        app.store.loadSettings(app.settings, nullptr);
    }

    // What the main list shows after a clean run, or after the summary is rebuilt.
    std::vector<std::string> cleanLines() {
        load();
        driver.runTick();
        return shownLines();
    }
    std::vector<std::string> summaryLines() {
        load();
        summary.rebuild();
        return shownLines();
    }
    std::vector<std::string> shownLines() const {
        std::vector<std::string> lines;
        for (const auto& line : fake.window.model.lines()) {
            lines.push_back(line.caption);
        }
        return lines;
    }

    FakePlatform fake;
    AppServices app{fake.platform};
    RunContext context{fake.platform,     app.settings, app.language, fake.window,
                       fake.window.model, app.run,      installDir,   &app.store.policy()};
    SettingsSummary summary{app.settings, app.language, fake.window.model,
                            app.folders,  app.targets,  &app.store.policy()};
    CleanDriver driver{context, summary, stagesOf(targetCatalogue())};
};

TEST(Policy, TheMachineWinsPerValueOverTheUserAndBothOverTheUsersSettings) {
    Program program;
    program.setPolicy("Recycle", 0, user);
    program.setPolicy("Recycle", 1, machine);
    program.setPolicy("Firefox", 1, user);
    program.setPolicy("ChromeCache", 0, machine);
    program.setPolicy("Agelimit", 1, user);
    program.setPolicy("Agehours", 48, user);
    program.fake.registry.set(settingsKeyPath, "Recycle", 0);

    program.load();
    const CleanSettings& settings = program.app.settings;
    const Policy& policy = program.app.store.policy();

    EXPECT_TRUE(settings.Recycle);
    EXPECT_TRUE(settings.Firefox);
    EXPECT_FALSE(flagValue(settings, {"ChromeCache", true, ""}));
    EXPECT_TRUE(settings.Agelimit);
    EXPECT_EQ(settings.Agehours, 48);
    for (const char* locked : {"Recycle", "Firefox", "ChromeCache", "Agelimit", "Agehours"}) {
        EXPECT_TRUE(policy.locks(locked)) << locked;
    }
    for (const char* free : {"Tempfolder", "Logs", "Logday", "PathList", "Contextmenu"}) {
        EXPECT_FALSE(policy.locks(free)) << free;
    }
    EXPECT_TRUE(policy.ignoredValues.empty());
}

TEST(Policy, AValueOfTheWrongTypeOrRangeIsPassedOverAndEachRunLogsItOnce) {
    Program program;
    program.setPolicy("Recycle", std::string("0"), machine);
    program.setPolicy("Recycle", 0, user);
    program.setPolicy("Logs", 1, machine);
    program.setPolicy("Logday", 1000, machine);
    program.fake.registry.set(listKey("ForbiddenPaths"), "1", 7, machine);

    program.load();
    const Policy& policy = program.app.store.policy();
    EXPECT_FALSE(program.app.settings.Recycle) << "the user's policy applies instead";
    EXPECT_FALSE(policy.locks("Logday"));
    EXPECT_EQ(policy.ignoredValues,
              (std::vector<std::string>{
                  "HKLM\\Software\\Policies\\Quillfen\\Cleaner\\Recycle",
                  "HKLM\\Software\\Policies\\Quillfen\\Cleaner\\Logday",
                  "HKLM\\Software\\Policies\\Quillfen\\Cleaner\\ForbiddenPaths\\1",
              }));

    for (int run = 0; run < 2; ++run) {
        SCOPED_TRACE(run);
        const auto lines = program.cleanLines();
        EXPECT_EQ(countContaining(lines, "Policy value of the wrong type"), 3u);
        EXPECT_EQ(countContaining(lines, "Cleaner\\Recycle"), 1u);
    }
    const std::string log = program.fake.files.contentsOf(logPath);
    EXPECT_EQ(countContaining({log}, "ForbiddenPaths\\1"), 1u);
    EXPECT_NE(log.find("Cleaner\\Logday"), log.rfind("Cleaner\\Logday")) << "once in each block";
}

TEST(Policy, SavingKeepsTheUsersOwnValuesWhereThePolicyDecides) {
    Program program;
    program.setPolicy("Recycle", 0, machine);
    program.setPolicy("FixedPathList", 1, machine);
    program.fake.registry.set(listKey("PathList"), "1", std::string("D:\\Shared"), machine);
    program.load();
    EXPECT_EQ(program.app.settings.PathList, (CheckedPathList{{"D:\\Shared", true}}));

    CleanSettings& settings = program.app.settings;
    settings.Thumbs = !settings.Thumbs;
    EXPECT_EQ(program.app.store.saveSettings(settings), "");
    EXPECT_EQ(program.app.store.saveLists(settings), "");

    FakeRegistry& registry = program.fake.registry;
    EXPECT_EQ(registry.get(settingsKeyPath, "Recycle"), FakeRegistry::Value(1));
    EXPECT_EQ(registry.get(settingsKeyPath, "Thumbs"),
              FakeRegistry::Value(settings.Thumbs ? 1 : 0));
    EXPECT_EQ(registry.get(settingsKeyPath, "Patha0"), FakeRegistry::Value(std::string("C:\\s")));
}

TEST(Policy, APolicyAloneCountsAsSavedSettingsAndForbidsOrAllowsClean) {
    for (const bool allowed : {true, false}) {
        SCOPED_TRACE(allowed);
        FakePlatform fake;
        fake.files.addFile("C:\\s\\a.tmp");
        fake.registry.set(policyKeyPath, "FixedPathList", 1, machine);
        fake.registry.set(listKey("PathList"), "1", std::string("C:\\s"), machine);
        fake.registry.set(policyKeyPath, "AllowClean", allowed ? 1 : 0, user);
        std::vector<std::string> printed;
        const int code = runCommand(parseCommandLine({"/clean"}), fake.platform,
                                    [&](const std::string& line) { printed.push_back(line); });

        EXPECT_EQ(code, allowed ? exit_code::success : exit_code::usageError);
        EXPECT_EQ(fake.files.exists("C:\\s\\a.tmp"), !allowed);
        EXPECT_EQ(countContaining(printed, "administrator does not allow /clean"),
                  allowed ? 0u : 1u);
    }
}

TEST(Policy, NothingIsCleanedInOrBelowAForbiddenFolderWhateverTheCaseOrForm) {
    Program program;
    program.fake.registry.set(listKey("ForbiddenPaths"), "1", std::string("c:\\F\\"), machine);
    program.fake.registry.set(listKey("ForbiddenPaths"), "2", std::string("C:\\S\\inner"), machine);
    program.fake.registry.set(listKey("ForbiddenPaths"), "3", std::string("C:\\single.txt"),
                              machine);
    // A user's list is passed over while the machine has one.
    program.fake.registry.set(listKey("ForbiddenPaths"), "1", std::string("C:\\s"), user);

    const auto lines = program.cleanLines();

    const FakeFileSystem& files = program.fake.files;
    EXPECT_TRUE(files.exists("C:\\f\\one.txt"));
    EXPECT_TRUE(files.exists("C:\\single.txt"));
    EXPECT_TRUE(files.exists("C:\\s\\inner\\b.tmp"));
    EXPECT_FALSE(files.exists("C:\\s\\a.tmp")) << "the search path itself is allowed";
    EXPECT_EQ(countContaining(lines, "your administrator forbids this path: C:\\f"), 1u);
    EXPECT_EQ(countContaining(lines, "your administrator forbids this path: C:\\single.txt"), 1u);
}

TEST(Policy, AForbiddenSearchPathIsNotScannedAndTheSummarySaysSo) {
    Program program;
    program.fake.registry.set(listKey("ForbiddenPaths"), "1", std::string("C:\\"), user);

    const auto summary = program.summaryLines();
    for (const char* entry : {"C:\\s", "C:\\f", "C:\\single.txt"}) {
        const std::string line =
            std::string("  Not cleaned, your administrator forbids this path: ") + entry;
        EXPECT_EQ(std::count(summary.begin(), summary.end(), line), 1) << entry;
    }

    const auto lines = program.cleanLines();
    EXPECT_TRUE(program.fake.files.exists("C:\\s\\a.tmp"));
    EXPECT_EQ(countContaining(lines, "Began search"), 0u);
    const auto& listed = program.fake.files.listedFolders();
    EXPECT_EQ(std::count_if(listed.begin(), listed.end(),
                            [](const std::string& folder) { return folder.starts_with("C:\\s"); }),
              0);
}

TEST(Policy, TheSummaryMarksWhatTheAdministratorSetsAndModifyStillFindsItsPage) {
    Program program;
    program.setPolicy("Recycle", 0, machine);
    program.setPolicy("ChromeCache", 1, user);
    program.setPolicy("FixedFolderList", 1, machine);
    program.fake.registry.set(listKey("FolderList"), "1", std::string("C:\\f"), machine);

    const auto lines = program.summaryLines();

    EXPECT_EQ(countContaining(lines, "Delete permanently"), 1u);
    EXPECT_EQ(countContaining(lines, "(can not be restored!)" + mark), 1u);
    EXPECT_EQ(countContaining(lines, "Delete folders:" + mark), 1u);
    const auto chrome = std::find(lines.begin(), lines.end(), "  Google Chrome" + mark);
    ASSERT_NE(chrome, lines.end());
    EXPECT_EQ(program.summary.pageForLine(int(chrome - lines.begin())),
              OptionsPage::BrowsersAndApps);
    EXPECT_EQ(countContaining(lines, mark), 3u) << "nothing else is marked";
}

TEST(Policy, TheOptionsKeepWhatThePolicySetsAndRefuseForbiddenPaths) {
    Program program;
    FakePlatform& fake = program.fake;
    program.setPolicy("Recycle", 0, machine);
    program.setPolicy("FixedPathList", 1, machine);
    program.fake.registry.set(listKey("ForbiddenPaths"), "1", std::string("C:\\data"), user);
    fake.files.addFolder("C:\\data\\sub");
    program.load();
    OptionsLogic options{program.app, program.summary, fake.window.model};

    options.setFlag(&CleanSettings::Recycle, true);
    EXPECT_FALSE(program.app.settings.Recycle);
    fake.prompter.answers = {answer::yes};
    ASSERT_TRUE(options.restoreDefaultsAsked());
    EXPECT_FALSE(program.app.settings.Recycle) << "Default keeps what the administrator set";
    EXPECT_TRUE(program.app.settings.PathList.empty());

    fake.shell.folderAnswers = {"C:\\elsewhere"};
    EXPECT_FALSE(options.add(PathListKind::Paths)) << "the search paths are fixed";
    fake.shell.folderAnswers = {"C:\\DATA\\sub"};
    EXPECT_FALSE(options.add(PathListKind::Folders));
    fake.shell.fileAnswers = {{"C:\\data\\x.txt", "C:\\ok.txt"}};
    EXPECT_TRUE(options.add(PathListKind::Files));
    EXPECT_EQ(program.app.settings.FileList, (CheckedPathList{{"C:\\ok.txt", true}}));
    ASSERT_EQ(fake.prompter.informations.size(), 2u);
    EXPECT_EQ(fake.prompter.informations[0].text,
              "Not cleaned, your administrator forbids this path: C:\\DATA\\sub");
}

TEST(Policy, AVerbTheAdministratorDisallowsGoesAtStartAndNoPathIsOfferedIntoAFixedList) {
    Program program;
    FakePlatform& fake = program.fake;
    const std::string verb = std::string("Software\\Classes\\Folder\\shell\\") + verbName;
    syncContextMenu(fake.registry, true, installDir);
    ASSERT_TRUE(fake.registry.keyExists(user, verb));
    program.setPolicy("AllowContextmenu", 0, machine);
    program.setPolicy("FixedPathList", 1, user);
    fake.files.addFolder("C:\\photos");
    OptionsLogic options{program.app, program.summary, fake.window.model};
    StartUpChain startUp{program.app, program.summary, options, fake.window};

    startUp.offerPathArgument("C:\\photos");

    EXPECT_FALSE(fake.registry.keyExists(user, verb));
    EXPECT_FALSE(program.app.settings.Contextmenu);
    EXPECT_TRUE(fake.prompter.questions.empty()) << "no offer to add the folder";
    ASSERT_EQ(fake.prompter.informations.size(), 1u);
    EXPECT_TRUE(program.app.settings.PathList.empty());
    EXPECT_EQ(fake.registry.get(settingsKeyPath, "Contextmenu"), FakeRegistry::Value(1))
        << "the user's own choice stays for the day the policy goes";
}

TEST(Policy, WhileCleanIsNotAllowedOkRemovesTheScheduledCleanAndKeepsTheUsersSchedule) {
    Program program;
    FakePlatform& fake = program.fake;
    fake.registry.set(settingsKeyPath, "Schedule", int32_t(ScheduleKind::Daily));
    fake.scheduler.task = FakeTaskScheduler::Task{{ScheduleKind::Daily, 1, 600}, "/clean"};
    program.setPolicy("AllowClean", 0, machine);
    program.load();
    OptionsLogic options{program.app, program.summary, fake.window.model};

    EXPECT_TRUE(program.app.store.policy().locks("Schedule"));
    EXPECT_EQ(program.app.settings.Schedule.kind, ScheduleKind::Off);
    options.shown();
    options.ok();

    EXPECT_FALSE(fake.scheduler.task.has_value());
    EXPECT_EQ(fake.registry.get(settingsKeyPath, "Schedule"),
              FakeRegistry::Value(int32_t(ScheduleKind::Daily)));
    EXPECT_TRUE(fake.prompter.errors.empty());
}

} // namespace
} // namespace dustbane::testing
