#include "cli/command_run.h"
#include "fakes/fake_platform.h"
#include "settings/scheduled_clean.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace dustbane::testing {
namespace {

const CleanSchedule off{};
const CleanSchedule daily{ScheduleKind::Daily, 1, 3 * 60 + 30};
const CleanSchedule weekly{ScheduleKind::Weekly, 5, 20 * 60};

struct ScheduledCleanTest : ::testing::Test {
    FakePlatform fake;
    SettingsStore store{fake.registry, fake.system};
    LanguageTable language;

    std::optional<FakeRegistry::Value> stored(const std::string& name) const {
        return fake.registry.get(settingsKeyPath, name);
    }
    // The task the fake holds before OK, as the stored schedule says.
    void holdTask(const CleanSchedule& schedule) {
        if (schedule.kind != ScheduleKind::Off) {
            fake.scheduler.task = FakeTaskScheduler::Task{schedule, "/clean"};
        }
    }
};

TEST_F(ScheduledCleanTest, TheTaskFollowsTheChoiceAndRunsTheCleanWithTheStoredSettings) {
    struct Case {
        CleanSchedule stored;
        CleanSchedule chosen;
        int calls;
    };
    // A schedule that stays on registers again at every OK; one that stays off asks nothing.
    const std::vector<Case> cases = {
        {off, off, 0},     {off, daily, 1},  {off, weekly, 1}, {daily, weekly, 1},
        {daily, daily, 1}, {weekly, off, 1}, {daily, off, 1},
    };
    for (const Case& c : cases) {
        FakeTaskScheduler scheduler;
        if (c.stored.kind != ScheduleKind::Off) {
            scheduler.task = FakeTaskScheduler::Task{c.stored, "/clean"};
        }
        CleanSchedule chosen = c.chosen;

        EXPECT_EQ(applySchedule(scheduler, c.stored, chosen, language), "");

        EXPECT_EQ(scheduler.calls, c.calls);
        EXPECT_EQ(chosen, c.chosen);
        if (c.chosen.kind == ScheduleKind::Off) {
            EXPECT_FALSE(scheduler.task);
        } else {
            ASSERT_TRUE(scheduler.task);
            EXPECT_EQ(scheduler.task->schedule, c.chosen);
            EXPECT_EQ(scheduler.task->arguments, "/clean");
        }
    }
}

TEST_F(ScheduledCleanTest, ARefusalKeepsTheStoredScheduleAndSaysWhyInPlainWords) {
    fake.scheduler.failure = "Access is denied.";
    for (const auto& [before, wanted, message] :
         std::vector<std::tuple<CleanSchedule, CleanSchedule, std::string>>{
             {off, weekly, "The scheduled clean could not be set up: Access is denied."},
             {daily, weekly, "The scheduled clean could not be set up: Access is denied."},
             {daily, off, "The scheduled clean could not be removed: Access is denied."},
         }) {
        CleanSchedule chosen = wanted;
        EXPECT_EQ(applySchedule(fake.scheduler, before, chosen, language), message);
        EXPECT_EQ(chosen, before) << "what is stored keeps saying what the Task Scheduler holds";
    }
}

TEST_F(ScheduledCleanTest, TheFailureTextComesFromTheLanguageTable) {
    language.setText(Text::ScheduleNotSetUp,
                     "Die geplante Reinigung konnte nicht eingerichtet werden: %1");
    fake.scheduler.failure = "Zugriff verweigert";
    CleanSchedule chosen = daily;
    EXPECT_EQ(applySchedule(fake.scheduler, off, chosen, language),
              "Die geplante Reinigung konnte nicht eingerichtet werden: Zugriff verweigert");
}

TEST_F(ScheduledCleanTest, UnscheduleRemovesTheTaskAndStoresTheScheduleOff) {
    CleanSettings settings;
    settings.Schedule = weekly;
    ASSERT_EQ(store.saveSettings(settings), "");
    holdTask(weekly);

    EXPECT_EQ(unscheduleClean(fake.scheduler, store, language), "");

    EXPECT_FALSE(fake.scheduler.task);
    EXPECT_EQ(stored("Schedule"), FakeRegistry::Value(int32_t{0}));
    EXPECT_EQ(stored("Scheduleday"), FakeRegistry::Value(int32_t{5})) << "day and time stay";
    EXPECT_EQ(store.storedSchedule().kind, ScheduleKind::Off);
}

TEST_F(ScheduledCleanTest, UnscheduleLeavesNoKeyWhereTheSettingsWereRemoved) {
    EXPECT_EQ(unscheduleClean(fake.scheduler, store, language), "");
    EXPECT_TRUE(fake.registry.keys().empty());
}

TEST_F(ScheduledCleanTest, UnscheduleThatFailsKeepsTheStoredSchedule) {
    CleanSettings settings;
    settings.Schedule = daily;
    ASSERT_EQ(store.saveSettings(settings), "");
    holdTask(daily);
    fake.scheduler.failure = "The RPC server is unavailable.";

    EXPECT_EQ(unscheduleClean(fake.scheduler, store, language),
              "The scheduled clean could not be removed: The RPC server is unavailable.");
    EXPECT_EQ(store.storedSchedule(), daily);
}

TEST_F(ScheduledCleanTest, UnscheduleSwitchExitsWithZeroAlsoWhenThereWasNoTask) {
    std::vector<std::string> printed;
    const LineSink print = [&printed](const std::string& line) { printed.push_back(line); };
    EXPECT_EQ(runCommand(parseCommandLine({"/UNSCHEDULE"}), fake.platform, print),
              exit_code::success);
    EXPECT_EQ(fake.scheduler.calls, 1);
    EXPECT_TRUE(printed.empty());
    EXPECT_TRUE(fake.registry.keys().empty()) << "the settings may have gone before the task";

    fake.scheduler.failure = "Access is denied.";
    EXPECT_EQ(runCommand(parseCommandLine({"-unschedule"}), fake.platform, print),
              exit_code::unexpectedError);
    EXPECT_EQ(printed, std::vector<std::string>{
                           "The scheduled clean could not be removed: Access is denied."});
}

} // namespace
} // namespace dustbane::testing
