#include "engine/clean_driver.h"
#include "engine_fixture.h"
#include "fakes/fake_platform.h"
#include "options/options_logic.h"
#include "settings/settings_summary.h"
#include "start/app_services.h"
#include "targets/target_catalogue.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace dustbane::testing {
namespace {

const std::string installDir = "C:\\Program Files\\Dustbane\\";
const std::string logPath = installDir + "logs.log";
const std::string oldLog = "\r\n01.12.2026\r\n09:00:00 Clean finished: 4 files or folders had "
                           "been cleaned.\r\n";

// A whole program's worth of logic over the fakes: the run and the options dialog share the
// one live record, as they do in the main window. The user's three stages have work to do,
// the fixed locations are off, and the lists are stored as a previous OK left them.
struct Program {
    Program() {
        app.installDir = installDir;
        fake.files.addFolder("C:\\Program Files\\Dustbane");
        turnOffFixedLocations(settings);
        settings.Displaybox = false;
        settings.Logs = true;
        for (const char* path : {"C:\\f\\one.txt", "C:\\f\\two.txt", "C:\\single.txt",
                                 "C:\\s\\a.tmp", "C:\\s\\b.obj"}) {
            fake.files.addFile(path);
        }
        settings.FolderList = {{"C:\\f", true}};
        settings.FileList = {{"C:\\single.txt", true}};
        settings.PathList = {{"C:\\s", true}};
        app.store.saveLists(settings);
    }

    // Runs once, at the first pump that finds the condition true.
    void atPump(std::function<bool()> condition, std::function<void()> action) {
        fake.window.onPump = [this, condition, action] {
            if (!acted && condition()) {
                acted = true;
                action();
            }
        };
    }
    void atPumpShowing(const std::string& status, std::function<void()> action) {
        atPump([this, status] { return fake.window.status[0] == status; }, std::move(action));
    }

    FakePlatform fake;
    AppServices app{fake.platform};
    CleanSettings& settings = app.settings;
    RunContext context{fake.platform,     app.settings, app.language, fake.window,
                       fake.window.model, app.run,      installDir};
    SettingsSummary summary{app.settings, app.language, fake.window.model, app.folders};
    CleanDriver driver{context, summary, stagesOf(targetCatalogue())};
    OptionsLogic options{app, summary, fake.window.model};
    bool acted = false;
};

struct LogFault {
    const char* name;
    std::function<void(FakeFileSystem&)> inflict;
    const char* reason;
};

TEST(RunFaults, ALogThatCannotBeWrittenKeepsItsContentsAndIsReportedOnceAfterTheEndSteps) {
    const std::vector<LogFault> faults{
        {"read-only",
         [](FakeFileSystem& files) { files.addFile(logPath, oldLog, attributes::readOnly); },
         "read-only"},
        {"held open",
         [](FakeFileSystem& files) {
             files.addFile(logPath, oldLog);
             files.lock(logPath);
         },
         "could not be read"},
        {"disk full",
         [](FakeFileSystem& files) {
             files.addFile(logPath, oldLog);
             files.failWrites("There is not enough space on the disk.");
         },
         "There is not enough space on the disk."},
    };
    for (const LogFault& fault : faults) {
        SCOPED_TRACE(fault.name);
        Program program;
        FakePlatform& fake = program.fake;
        fault.inflict(fake.files);
        size_t errorsWhenAsked = 99;
        fake.prompter.onAsk = [&](const FakePrompter::Box&) {
            errorsWhenAsked = fake.prompter.errors.size();
        };

        program.driver.runTick();

        EXPECT_FALSE(fake.files.exists("C:\\single.txt"));
        EXPECT_EQ(fake.files.contentsOf(logPath), oldLog);
        ASSERT_EQ(fake.prompter.errors.size(), 1u) << "both log writes failed, one report";
        EXPECT_NE(fake.prompter.errors[0].find(logPath), std::string::npos);
        EXPECT_NE(fake.prompter.errors[0].find(fault.reason), std::string::npos)
            << fake.prompter.errors[0];
        EXPECT_EQ(errorsWhenAsked, 0u) << "the Recycle Bin question comes first";
        EXPECT_EQ(fake.shell.emptyCalls, 1);
        EXPECT_EQ(fake.system.soundsPlayed, 1);
        EXPECT_FALSE(fake.window.progressShown);
        EXPECT_FALSE(fake.window.clockRunning);
        EXPECT_EQ(fake.window.buttonCaption, "Clean");
        EXPECT_EQ(fake.window.captions().end()[-2],
                  "10:42:07 Clean finished: 4 files or folders had been cleaned.");
    }
}

TEST(RunFaults, AFullDiskAfterTheRunBlockLosesOnlyTheRecycleRecordAndSaysSo) {
    Program program;
    FakePlatform& fake = program.fake;
    fake.files.addFile(logPath, oldLog);
    fake.prompter.onAsk = [&](const FakePrompter::Box& box) {
        if (box.caption == "Clear Confirmation") {
            fake.files.failWrites("There is not enough space on the disk.");
        }
    };
    program.driver.runTick();
    const std::string log = fake.files.contentsOf(logPath);
    EXPECT_NE(log.find("10:42:07 Clean finished: 4 files or folders had been cleaned.\r\n"),
              std::string::npos);
    EXPECT_NE(log.find(oldLog), std::string::npos) << "the old run is still below the new one";
    EXPECT_EQ(log.find("Finished clear all recycle bins"), std::string::npos);
    ASSERT_EQ(fake.prompter.errors.size(), 1u);
    EXPECT_NE(fake.prompter.errors[0].find("not enough space"), std::string::npos);
}

// Closing the main window in the middle of a stage: the stop is taken as confirmed, the
// run finishes its end steps and its log block records the stop.
TEST(RunFaults, ClosingDuringAUserStageEndsWithTheStoppedLineAndItsLogBlock) {
    struct Moment {
        const char* busyWith;
        std::vector<std::string> kept;
    };
    const std::vector<Moment> moments{
        // The item being deleted when the window closes still goes; nothing after it.
        {"Cleaning C:\\f\\one.txt", {"C:\\f\\two.txt", "C:\\single.txt", "C:\\s\\a.tmp"}},
        {"Searching C:\\s\\", {"C:\\s\\a.tmp", "C:\\s\\b.obj"}},
    };
    for (const Moment& moment : moments) {
        SCOPED_TRACE(moment.busyWith);
        Program program;
        FakePlatform& fake = program.fake;
        program.atPumpShowing(moment.busyWith, [&] { program.driver.stopForClose(); });

        program.driver.runTick();

        ASSERT_TRUE(program.acted);
        for (const std::string& path : moment.kept) {
            EXPECT_TRUE(fake.files.exists(path)) << path;
        }
        const std::string last = fake.window.captions().end()[-2];
        EXPECT_EQ(last.rfind("10:42:07 User stopped: ", 0), 0u) << last;
        EXPECT_NE(fake.files.contentsOf(logPath).find(last + "\r\n"), std::string::npos)
            << "the log block ends with the stopped line";
        EXPECT_EQ(fake.window.status[0].rfind(" Clean stopped. Freed ", 0), 0u);
        EXPECT_FALSE(fake.window.progressShown);
        EXPECT_EQ(fake.system.soundsPlayed, 1);
        for (const auto& box : fake.prompter.questions) {
            EXPECT_NE(box.caption, "Stop Confirmation") << "closing does not ask";
        }
    }
}

// The options dialog opened in the middle of a run, edited and closed without OK: the run's
// later stages see the settings as they were before the dialog.
TEST(RunFaults, OptionsCancelledDuringARunRestoresWhatTheLaterStagesRead) {
    Program program;
    FakePlatform& fake = program.fake;
    CleanSettings& settings = program.settings;
    settings.Recycle = false;
    CleanSettings beforeDialog;
    program.atPumpShowing("Cleaning C:\\f\\one.txt", [&] {
        beforeDialog = settings;
        program.options.shown();
        program.options.setFlag(&CleanSettings::Oldfile, false);
        settings.Ext = "obj";
        settings.FileList.clear();
        settings.PathList = {{"C:\\elsewhere", true}};
        program.options.closing();
    });

    program.driver.runTick();

    ASSERT_TRUE(program.acted);
    EXPECT_EQ(settings, beforeDialog);
    EXPECT_FALSE(fake.files.exists("C:\\single.txt")) << "the file list came back";
    EXPECT_FALSE(fake.files.exists("C:\\s\\a.tmp")) << "tmp files are selected again";
    EXPECT_TRUE(fake.files.exists("C:\\s\\b.obj")) << "the cancelled Ext is gone";
    EXPECT_EQ(fake.window.captions().end()[-2],
              "10:42:07 Clean finished: 4 files or folders had been cleaned.");
    EXPECT_TRUE(fake.prompter.errors.empty());
}

TEST(RunFaults, OptionsCancelledInsideTheSearchStageKeepsTheScanOnItsRestoredList) {
    Program program;
    FakePlatform& fake = program.fake;
    CleanSettings& settings = program.settings;
    settings.Recycle = false;
    fake.files.addFile("C:\\t\\c.tmp");
    settings.PathList = {{"C:\\s", true}, {"C:\\t", true}};
    program.app.store.saveLists(settings);
    program.atPumpShowing("Searching C:\\s\\", [&] {
        program.options.shown();
        settings.PathList.clear();
        settings.Tempfile = false;
        settings.Oldfile = false;
        program.options.closing();
    });

    program.driver.runTick();

    ASSERT_TRUE(program.acted);
    EXPECT_FALSE(fake.files.exists("C:\\s\\a.tmp"));
    EXPECT_FALSE(fake.files.exists("C:\\t\\c.tmp")) << "the second path is scanned as before";
    EXPECT_EQ(settings.PathList, (CheckedPathList{{"C:\\s", true}, {"C:\\t", true}}));
}

} // namespace
} // namespace dustbane::testing
