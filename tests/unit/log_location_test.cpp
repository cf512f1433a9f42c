#include "app/help_and_log.h"
#include "cli/command_run.h"
#include "fakes/fake_platform.h"
#include "options/options_logic.h"
#include "settings/clean_log.h"
#include "settings/settings_store.h"

#include <gtest/gtest.h>

namespace dustbane {
namespace {

using testing::FakePlatform;

const std::string programFiles = "C:\\Program Files";
const std::string localAppData = "C:\\users\\tester\\AppData\\Local";
const std::string ownFolder = localAppData + "\\Dustbane";
const std::string ownLog = ownFolder + "\\logs.log";
const std::string machineDir = programFiles + "\\Dustbane\\";
const std::string userDir = localAppData + "\\Programs\\Dustbane\\";

struct MachineWithProgramFiles {
    MachineWithProgramFiles() {
        fake.shell.specialFolders[SpecialFolder::ProgramFiles] = programFiles;
        fake.shell.specialFolders[SpecialFolder::ProgramFilesX86] = "C:\\Program Files (x86)";
        fake.files.addFolder(localAppData);
        fake.files.addFolder(machineDir);
        fake.files.addFolder(userDir);
    }
    FakePlatform fake;
};

TEST(LogLocation, OnlyAFolderInsideProgramFilesSendsTheLogToTheUser) {
    MachineWithProgramFiles machine;
    const std::pair<std::string, bool> cases[] = {
        {machineDir, true},
        {"c:\\PROGRAM FILES\\dustbane\\", true},
        {"C:/Program Files/Dustbane/", true},
        {"C:\\Program Files (x86)\\Dustbane\\", true},
        {"C:\\Program Files\\", true},
        {"C:\\Program Files\\Quillfen\\Tools\\Dustbane\\", true},
        {userDir, false},
        {"C:\\Program Files Extra\\Dustbane\\", false},
        {"C:\\Program FilesDustbane\\", false},
        {"C:\\Tools\\Program Files\\Dustbane\\", false},
        {"D:\\Program Files\\Dustbane\\", false},
        {"C:\\", false},
        {"\\", false},
    };
    for (const auto& [installDir, toUser] : cases) {
        LogLocation location = logLocation(machine.fake.shell, installDir);
        if (toUser) {
            EXPECT_EQ(location.path, ownLog) << installDir;
            EXPECT_EQ(location.ownFolder, ownFolder) << installDir;
        } else {
            EXPECT_EQ(location.path, installDir + "logs.log") << installDir;
            EXPECT_EQ(location.ownFolder, "") << installDir;
        }
    }
}

TEST(LogLocation, UnresolvedFoldersKeepTheLogInTheInstallationFolder) {
    MachineWithProgramFiles noLocalAppData;
    noLocalAppData.fake.shell.specialFolders.erase(SpecialFolder::LocalAppData);
    EXPECT_EQ(logLocation(noLocalAppData.fake.shell, machineDir).path, machineDir + "logs.log");

    FakePlatform noProgramFiles;
    EXPECT_EQ(logLocation(noProgramFiles.shell, machineDir).path, machineDir + "logs.log");
}

TEST(LogLocation, TheFirstWritesCreateTheUsersFolderAndNothingElse) {
    MachineWithProgramFiles machine;
    FakePlatform& fake = machine.fake;
    CleanLog log(fake.files, fake.system, logLocation(fake.shell, machineDir));

    EXPECT_EQ(log.appendRecycleRecord("10:42:07 emptied"), "");
    EXPECT_EQ(fake.files.contentsOf(ownLog),
              fake.system.shortDateToday() + "\r\n10:42:07 emptied\r\n");
    EXPECT_EQ(log.appendRunBlock({"run"}, 10), "") << "the folder is there now";
    EXPECT_FALSE(fake.files.exists(machineDir + "logs.log"));

    ASSERT_TRUE(fake.files.deleteFile(ownLog));
    ASSERT_TRUE(fake.files.removeDirectory(ownFolder));
    EXPECT_EQ(log.appendRunBlock({"run"}, 10), "");
    EXPECT_EQ(fake.files.contentsOf(ownLog), "\r\n" + fake.system.shortDateToday() + "\r\nrun\r\n");
}

TEST(LogLocation, AnInstallationFolderThatIsGoneIsNotBroughtBack) {
    MachineWithProgramFiles machine;
    FakePlatform& fake = machine.fake;
    const std::string removed = "C:\\Tools\\Dustbane\\";
    fake.files.addFolder("C:\\Tools");
    CleanLog log(fake.files, fake.system, logLocation(fake.shell, removed));

    EXPECT_NE(log.appendRunBlock({"run"}, 10), "");
    EXPECT_FALSE(fake.files.exists("C:\\Tools\\Dustbane"));
}

TEST(LogLocation, AUserFolderThatCannotBeCreatedIsReported) {
    FakePlatform fake;
    fake.shell.specialFolders[SpecialFolder::ProgramFiles] = programFiles;
    fake.shell.specialFolders[SpecialFolder::LocalAppData] = "C:\\users\\gone\\AppData\\Local";
    CleanLog log(fake.files, fake.system, logLocation(fake.shell, machineDir));

    const std::string failure = log.appendRecycleRecord("emptied");
    EXPECT_NE(failure.find("C:\\users\\gone\\AppData\\Local\\Dustbane could not be created"),
              std::string::npos)
        << failure;
}

struct OptionsInProgramFiles : ::testing::Test, MachineWithProgramFiles {
    AppServices app{fake.platform};
    SettingsSummary summary{app.settings, app.language, fake.window.model, app.folders};
    OptionsLogic logic{app, summary, fake.window.model};

    OptionsInProgramFiles() { app.installDir = machineDir; }
};

TEST_F(OptionsInProgramFiles, ViewAndClearWorkOnTheUsersLog) {
    fake.files.addFile(machineDir + "logs.log", "an old log nobody writes any more");
    logic.viewLog();
    EXPECT_TRUE(fake.shell.opened.empty());
    EXPECT_EQ(fake.prompter.informations.size(), 1u) << "the user has no log yet";

    fake.files.addFile(ownLog, "runs");
    logic.viewLog();
    EXPECT_EQ(fake.shell.opened, std::vector<std::string>{ownLog});

    fake.prompter.answers = {answer::yes};
    logic.clearLog();
    EXPECT_FALSE(fake.files.exists(ownLog));
    EXPECT_TRUE(fake.files.exists(machineDir + "logs.log"));
}

TEST_F(OptionsInProgramFiles, OkWithLoggingOffDeletesTheUsersLog) {
    fake.files.addFile(ownLog, "runs");
    logic.shown();
    logic.setFlag(&CleanSettings::Logs, false);
    logic.ok();
    EXPECT_FALSE(fake.files.exists(ownLog));
}

TEST(LogButton, OpensTheUsersLogButTheHelpFromTheInstallationFolder) {
    MachineWithProgramFiles machine;
    FakePlatform& fake = machine.fake;
    LanguageTable language;
    fake.files.addFile(machineDir + "help.htm");
    fake.files.addFile(machineDir + "logs.log");

    openInstalledDocument(InstalledDocument::Log, machineDir, language, fake.platform);
    EXPECT_TRUE(fake.shell.opened.empty());
    EXPECT_EQ(fake.prompter.informations.size(), 1u);

    fake.files.addFile(ownLog);
    openInstalledDocument(InstalledDocument::Log, machineDir, language, fake.platform);
    openInstalledDocument(InstalledDocument::Help, machineDir, language, fake.platform);
    EXPECT_EQ(fake.shell.opened, (std::vector<std::string>{ownLog, machineDir + "help.htm"}));
}

TEST(LogFromTheCommandLine, ACleanOfAnAllUsersInstallationLogsForTheUser) {
    MachineWithProgramFiles machine;
    FakePlatform& fake = machine.fake;
    fake.registry.set(settingsKeyPath, "Installdir", machineDir);
    fake.registry.set(settingsKeyPath, "Logs", int32_t{1});
    fake.registry.set(settingsKeyPath, "Pathnum", int32_t{0});

    std::vector<std::string> printed;
    EXPECT_EQ(runCommand(parseCommandLine({"/clean"}), fake.platform,
                         [&printed](const std::string& line) { printed.push_back(line); }),
              exit_code::success)
        << ::testing::PrintToString(printed);
    EXPECT_NE(fake.files.contentsOf(ownLog).find("Clean finished"), std::string::npos);
    EXPECT_FALSE(fake.files.exists(machineDir + "logs.log"));
}

} // namespace
} // namespace dustbane
