#include "engine/clean_driver.h"
#include "engine_fixture.h"
#include "settings/settings_summary.h"
#include "targets/target_catalogue.h"

#include <vector>

namespace dustbane::testing {
namespace {

const std::string logPath = "C:\\Program Files\\Dustbane\\logs.log";

class CleanDriverTest : public EngineTest {
  protected:
    CleanDriverTest() {
        // The fixed locations have their own tests; here only the user's stages run.
        turnOffFixedLocations(settings);
        fake.files.addFolder("C:\\Program Files\\Dustbane");
    }

    // A Stop click while the run pumps: the driver is entered again from the message loop.
    void clickStopWhen(std::function<bool()> condition) {
        fake.window.onPump = [this, condition] {
            if (!clicked && condition()) {
                clicked = true;
                driver.runTick();
            }
        };
    }

    std::vector<std::string> captionsOfQuestions() const {
        std::vector<std::string> result;
        for (const auto& box : fake.prompter.questions) {
            result.push_back(box.caption);
        }
        return result;
    }

    ProtectedFolders folders{fake.shell, fake.files};
    SettingsSummary summary{settings, language, fake.window.model, folders};
    CleanDriver driver{context, summary, stagesOf(targetCatalogue())};
    bool clicked = false;
};

TEST_F(CleanDriverTest, ConfirmationNamesWhatWillBeDeleted) {
    settings.Recycle = false;
    settings.Ext = "obj;gss";
    settings.FilesName = "a.txt";
    settings.PathList = {{"C:\\one", true}, {"C:\\off", false}, {"D:\\two", true}};
    settings.FolderList = {{"C:\\f", true}, {"C:\\g", false}};
    summary.rebuild();
    fake.prompter.answers = {answer::no};

    driver.runTick();
    ASSERT_EQ(fake.prompter.questions.size(), 1u);
    const auto& box = fake.prompter.questions[0];
    EXPECT_EQ(box.text, "Your clean definitions are: \n"
                        "\nDelete permanently(can not be restored!)"
                        "\nFile types: obj;gss"
                        "\nFile names: a.txt"
                        "\nSearch path: C:\\one"
                        "\nSearch path: D:\\two"
                        "\nDelete folders: C:\\f"
                        "\n\nDo you make sure the above definitions?");
    EXPECT_EQ(box.caption, "Clean Confirmation");
    EXPECT_EQ(box.style, 0x2024u);
}

TEST_F(CleanDriverTest, ConfirmationSaysWhatAWideSearchPassesBy) {
    settings.PathList = {{"C:\\users", true}};
    fake.prompter.answers = {answer::no};
    driver.runTick();
    ASSERT_EQ(fake.prompter.questions.size(), 1u);
    EXPECT_EQ(fake.prompter.questions[0].text,
              "Your clean definitions are: \n"
              "\nSearch path: C:\\users"
              "\nProgram, system and AppData folders are not searched"
              "\n\nDo you make sure the above definitions?");
}

TEST_F(CleanDriverTest, ConfirmationWithNoSearchPathSaysNone) {
    settings.PathList = {{"C:\\off", false}};
    fake.prompter.answers = {answer::no};
    driver.runTick();
    ASSERT_EQ(fake.prompter.questions.size(), 1u);
    EXPECT_EQ(fake.prompter.questions[0].text, "Your clean definitions are: \n"
                                               "\nSearch path: NONE"
                                               "\n\nDo you make sure the above definitions?");
}

TEST_F(CleanDriverTest, ADeclinedConfirmationChangesNothing) {
    fake.files.addFile("C:\\d\\x.txt");
    settings.FileList = {{"C:\\d\\x.txt", true}};
    summary.rebuild();
    summary.setShown(true);
    const auto linesBefore = fake.window.lines;
    fake.prompter.answers = {answer::no};

    driver.runTick();
    EXPECT_EQ(fake.window.lines, linesBefore);
    EXPECT_TRUE(summary.shown());
    EXPECT_FALSE(fake.window.progressShown);
    EXPECT_EQ(fake.window.buttonCaption, "Clean");
    EXPECT_TRUE(fake.files.exists("C:\\d\\x.txt"));
    EXPECT_EQ(fake.system.soundsPlayed, 0);
}

TEST_F(CleanDriverTest, WithoutDisplayboxTheRunStartsAtOnceAndEndsIdle) {
    settings.Displaybox = false;
    summary.setShown(true);
    fake.window.model.setStatusText(1, "Deleted 7");
    fake.window.model.setProgressPosition(123);

    driver.runTick();
    EXPECT_TRUE(fake.prompter.questions.empty());
    EXPECT_FALSE(summary.shown());
    EXPECT_EQ(fake.window.header, "Clean Results:");
    EXPECT_FALSE(fake.window.listMenuEnabled);
    EXPECT_EQ(fake.window.captions(),
              (std::vector<std::string>{
                  "10:42:07 Clean finished: 0 files or folders had been cleaned.",
                  "Freed 0 bytes for good, 0 bytes to the Recycle Bin; 0 items stayed"}));
    EXPECT_EQ(fake.window.lines[0].image, LineImage::Note);
    EXPECT_EQ(fake.window.status[0],
              " Cleaned over. Freed 0 bytes for good, 0 bytes to the Recycle Bin; 0 items stayed");
    EXPECT_EQ(fake.window.status[1], "");
    EXPECT_EQ(fake.window.position, 0);
    EXPECT_EQ(fake.system.soundsPlayed, 1);
    EXPECT_FALSE(fake.window.progressShown);
    EXPECT_FALSE(fake.window.clockRunning);
    EXPECT_FALSE(driver.active());
    EXPECT_EQ(fake.window.buttonCaption, "Clean");
    EXPECT_EQ(fake.window.buttonPicture, CleanPicture::Clean);
    EXPECT_EQ(fake.window.buttonHint, "Begin clean");
    EXPECT_FALSE(run.listEachItem);
}

TEST_F(CleanDriverTest, DuringTheRunTheButtonIsStopAndTheRunIsActive) {
    settings.Displaybox = false;
    fake.files.addFile("C:\\d\\x.txt");
    settings.FileList = {{"C:\\d\\x.txt", true}};
    for (bool iconsOnly : {false, true}) {
        fake.window.iconsOnlyMode = iconsOnly;
        std::vector<std::string> seen;
        fake.window.onPump = [&] {
            if (seen.empty()) {
                seen = {fake.window.buttonCaption, fake.window.buttonHint,
                        fake.window.buttonPicture == CleanPicture::Stop ? "stop" : "clean",
                        driver.active() ? "active" : "idle",
                        fake.window.clockRunning ? "clock" : "no clock"};
            }
        };
        driver.runTick();
        EXPECT_EQ(seen, (std::vector<std::string>{iconsOnly ? "" : "Stop", "Stop clean", "stop",
                                                  "active", "clock"}));
        EXPECT_EQ(fake.window.buttonCaption, iconsOnly ? "" : "Clean");
    }
}

TEST_F(CleanDriverTest, UserStagesHonourRecycleAndListEachItem) {
    settings.Displaybox = false;
    settings.Recycle = true;
    fake.files.addFile("C:\\f\\a.txt");
    fake.files.addFile("C:\\single.txt");
    fake.files.addFile("C:\\s\\b.tmp");
    settings.FolderList = {{"C:\\f", true}};
    settings.FileList = {{"C:\\single.txt", true}};
    settings.PathList = {{"C:\\s", true}};
    fake.prompter.answers = {answer::no};

    driver.runTick();
    EXPECT_EQ(fake.window.captions(),
              (std::vector<std::string>{
                  "10:42:07 Successfully Clean C:\\f", "C:\\f\\a.txt", "10:42:07 Clean C:\\f",
                  "10:42:07 Successfully Clean C:\\single.txt", "10:42:07 Began Search C:\\s",
                  "C:\\s\\b.tmp", "10:42:07 Clean finished: 3 files or folders had been cleaned.",
                  "Freed 0 bytes for good, 3 bytes to the Recycle Bin; 0 items stayed"}));
    EXPECT_EQ(fake.shell.recycled.size(), 3u);
    EXPECT_EQ(fake.window.status[1], "Deleted 3");
}

TEST_F(CleanDriverTest, TheRecycleBinQuestionNeedsDeletionsAndRecycleAndSaysWhatTheBinsHold) {
    settings.Displaybox = false;
    fake.shell.binBytes = 1536;
    fake.system.numbers = {",", "."};
    struct Case {
        bool something;
        bool recycle;
        bool asked;
    };
    for (Case c : {Case{false, true, false}, Case{true, false, false}, Case{true, true, true}}) {
        fake.prompter.questions.clear();
        settings.Recycle = c.recycle;
        settings.FileList.clear();
        if (c.something) {
            fake.files.addFile("C:\\d\\x.txt");
            settings.FileList = {{"C:\\d\\x.txt", true}};
        }
        fake.prompter.answers = {answer::no};
        driver.runTick();
        EXPECT_EQ(captionsOfQuestions(), c.asked ? std::vector<std::string>{"Clear Confirmation"}
                                                 : std::vector<std::string>{});
    }
    EXPECT_EQ(fake.prompter.questions[0].text,
              "1 files or folders had been deleted.\nThe Recycle Bins hold 1,50 KB.\n"
              "Do you empty Recycle bins now?");
    EXPECT_EQ(fake.prompter.questions[0].style, 0x2124u);
    EXPECT_EQ(fake.shell.emptyCalls, 0);
}

TEST_F(CleanDriverTest, YesEmptiesTheBinsAndLogsIt) {
    settings.Displaybox = false;
    settings.Logs = true;
    fake.files.addFile("C:\\d\\x.txt");
    settings.FileList = {{"C:\\d\\x.txt", true}};
    bool busyWhileAsked = true;
    fake.prompter.onAsk = [&](const FakePrompter::Box&) {
        busyWhileAsked = fake.system.busyCursor;
    };

    driver.runTick();
    EXPECT_EQ(captionsOfQuestions(), std::vector<std::string>{"Clear Confirmation"});
    EXPECT_FALSE(busyWhileAsked);
    EXPECT_EQ(fake.shell.emptyCalls, 1);
    EXPECT_FALSE(fake.system.busyCursor);
    EXPECT_EQ(fake.files.contentsOf(logPath),
              "\r\n07.12.2026\r\n"
              "10:42:07 Successfully Clean C:\\d\\x.txt\r\n"
              "10:42:07 Clean finished: 1 files or folders had been cleaned.\r\n"
              "Freed 0 bytes for good, 1 byte to the Recycle Bin; 0 items stayed\r\n"
              "\r\n07.12.2026\r\n"
              "10:42:07 Finished clear all recycle bins\r\n");
    EXPECT_TRUE(fake.prompter.errors.empty());
}

TEST_F(CleanDriverTest, AFailedEmptyingWritesNoRecord) {
    settings.Displaybox = false;
    settings.Logs = true;
    fake.shell.emptyResult = false;
    fake.files.addFile("C:\\d\\x.txt");
    settings.FileList = {{"C:\\d\\x.txt", true}};

    driver.runTick();
    EXPECT_EQ(fake.shell.emptyCalls, 1);
    EXPECT_EQ(fake.files.contentsOf(logPath).find("recycle bins"), std::string::npos);
    EXPECT_TRUE(fake.prompter.errors.empty());
}

TEST_F(CleanDriverTest, ALogThatCannotBeWrittenIsReportedOnceAfterTheRun) {
    settings.Displaybox = false;
    settings.Logs = true;
    fake.files.failWrites("The disk is full.");
    fake.files.addFile("C:\\d\\x.txt");
    settings.FileList = {{"C:\\d\\x.txt", true}};
    size_t errorsWhenAsked = 99;
    fake.prompter.onAsk = [&](const FakePrompter::Box&) {
        errorsWhenAsked = fake.prompter.errors.size();
    };

    driver.runTick();
    EXPECT_EQ(errorsWhenAsked, 0u);
    ASSERT_EQ(fake.prompter.errors.size(), 1u);
    EXPECT_NE(fake.prompter.errors[0].find("The disk is full."), std::string::npos);
    EXPECT_EQ(fake.shell.emptyCalls, 1);
    EXPECT_EQ(fake.system.soundsPlayed, 1);
    EXPECT_FALSE(fake.window.progressShown);
    EXPECT_EQ(fake.window.buttonCaption, "Clean");
}

TEST_F(CleanDriverTest, WithLogsClearTheLogIsLeftAlone) {
    settings.Displaybox = false;
    fake.files.addFile("C:\\d\\x.txt");
    settings.FileList = {{"C:\\d\\x.txt", true}};
    driver.runTick();
    EXPECT_FALSE(fake.files.exists(logPath));
    EXPECT_EQ(fake.shell.emptyCalls, 1);
}

TEST_F(CleanDriverTest, AConfirmedStopSkipsTheLaterStagesAndSaysSo) {
    settings.Displaybox = false;
    settings.Recycle = false;
    fake.files.addFile("C:\\f\\a.txt");
    fake.files.addFile("C:\\f\\b.txt");
    fake.files.addFile("C:\\single.txt");
    fake.files.addFile("C:\\s\\c.tmp");
    settings.FolderList = {{"C:\\f", true}};
    settings.FileList = {{"C:\\single.txt", true}};
    settings.PathList = {{"C:\\s", true}};
    bool clockWhileAsked = true;
    fake.prompter.onAsk = [&](const FakePrompter::Box&) {
        clockWhileAsked = fake.window.clockRunning;
    };
    clickStopWhen([this] { return model.deletedCount() == 1; });

    driver.runTick();
    ASSERT_EQ(fake.prompter.questions.size(), 1u);
    EXPECT_EQ(fake.prompter.questions[0].text, "Do you want to stop clean?");
    EXPECT_EQ(fake.prompter.questions[0].caption, "Stop Confirmation");
    EXPECT_EQ(fake.prompter.questions[0].style, 0x2024u);
    EXPECT_FALSE(clockWhileAsked);
    EXPECT_TRUE(fake.files.exists("C:\\f\\b.txt"));
    EXPECT_TRUE(fake.files.exists("C:\\single.txt"));
    EXPECT_TRUE(fake.files.exists("C:\\s\\c.tmp"));
    EXPECT_EQ(fake.window.captions().end()[-2],
              "10:42:07 User stopped: 1 files or folders had been cleaned.");
    EXPECT_EQ(fake.window.status[0],
              " Clean stopped. Freed 1 byte for good, 0 bytes to the Recycle Bin; 0 items stayed");
}

TEST_F(CleanDriverTest, AStopAnsweredNoLetsTheRunGoOnWithTheClock) {
    settings.Displaybox = false;
    settings.Recycle = false;
    fake.files.addFile("C:\\f\\a.txt");
    fake.files.addFile("C:\\f\\b.txt");
    fake.files.addFile("C:\\single.txt");
    settings.FolderList = {{"C:\\f", true}};
    settings.FileList = {{"C:\\single.txt", true}};
    fake.prompter.answers = {answer::no};
    bool clockAfterQuestion = false;
    fake.window.onPump = [&] {
        if (!clicked && model.deletedCount() == 1) {
            clicked = true;
            driver.runTick();
            clockAfterQuestion = fake.window.clockRunning;
        }
    };

    driver.runTick();
    EXPECT_TRUE(clockAfterQuestion);
    EXPECT_FALSE(fake.files.exists("C:\\f\\b.txt"));
    EXPECT_FALSE(fake.files.exists("C:\\single.txt"));
    EXPECT_EQ(fake.window.captions().end()[-2],
              "10:42:07 Clean finished: 3 files or folders had been cleaned.");
}

TEST_F(CleanDriverTest, ClosingTheWindowStopsTheRunWithoutFurtherQuestions) {
    settings.Displaybox = false;
    fake.files.addFile("C:\\single.txt");
    fake.files.addFile("C:\\s\\c.tmp");
    settings.FileList = {{"C:\\single.txt", true}};
    settings.PathList = {{"C:\\s", true}};
    fake.window.onPump = [this] {
        if (fake.window.status[0].rfind("Searching", 0) == 0) {
            driver.stopForClose();
        }
    };

    driver.runTick();
    EXPECT_FALSE(fake.files.exists("C:\\single.txt"));
    EXPECT_TRUE(fake.files.exists("C:\\s\\c.tmp"));
    EXPECT_EQ(fake.window.captions().end()[-2],
              "10:42:07 User stopped: 1 files or folders had been cleaned.");
    EXPECT_TRUE(fake.prompter.questions.empty())
        << "the program is closing: no Recycle Bin question";
    EXPECT_FALSE(fake.window.progressShown);
}

TEST_F(CleanDriverTest, TheElapsedClockCountsAndMovesTheBarOnlyOutsideListing) {
    fake.window.model.setProgressPosition(480);
    driver.elapsedTick();
    EXPECT_EQ(model.elapsedSeconds(), 1);
    EXPECT_EQ(fake.window.status[2], "Past: 1s");
    EXPECT_EQ(fake.window.position, 490);
    driver.elapsedTick();
    EXPECT_EQ(fake.window.position, 0);

    run.listEachItem = true;
    model.setElapsedSeconds(124);
    driver.elapsedTick();
    EXPECT_EQ(fake.window.position, 0);
    EXPECT_EQ(fake.window.status[2], "Past: 2m 5s");
}

} // namespace
} // namespace dustbane::testing
