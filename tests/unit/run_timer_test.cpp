#include "app/run_timer.h"

#include <gtest/gtest.h>

namespace dustbane {
namespace {

TEST(RunTimer, WithNoRunActiveTheLastArmedCommandStartsItsRun) {
    RunTimer timer;
    EXPECT_EQ(timer.fire(false), RunCommand::Clean) << "before any click, as the timer always was";
    timer.arm(RunCommand::Analyze);
    EXPECT_EQ(timer.fire(false), RunCommand::Analyze);
    timer.arm(RunCommand::Analyze);
    timer.arm(RunCommand::Clean);
    EXPECT_EQ(timer.fire(false), RunCommand::Clean) << "both arm the one timer";
}

// A click on either button during a run reaches the run that is active, which asks whether
// to stop; once it has ended, the next click starts its own run again.
TEST(RunTimer, WhileARunIsActiveEveryTickGoesToThatRun) {
    RunTimer timer;
    timer.arm(RunCommand::Analyze);
    ASSERT_EQ(timer.fire(false), RunCommand::Analyze);
    timer.arm(RunCommand::Clean);
    EXPECT_EQ(timer.fire(true), RunCommand::Analyze);
    timer.arm(RunCommand::Analyze);
    EXPECT_EQ(timer.fire(true), RunCommand::Analyze);
    timer.arm(RunCommand::Clean);
    EXPECT_EQ(timer.fire(false), RunCommand::Clean);

    timer.arm(RunCommand::Analyze);
    EXPECT_EQ(timer.fire(true), RunCommand::Clean) << "the clean run started by the last tick";
}

} // namespace
} // namespace dustbane
