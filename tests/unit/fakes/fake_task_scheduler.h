#pragma once

#include "platform/task_scheduler.h"

#include <optional>
#include <string>

namespace dustbane::testing {

// Holds at most one task, as the Task Scheduler holds one per user; a failure set here is
// returned by every call, which then changes nothing.
class FakeTaskScheduler : public TaskScheduler {
  public:
    struct Task {
        CleanSchedule schedule;
        std::string arguments;
    };

    std::string registerClean(const CleanSchedule& schedule,
                              const std::string& arguments) override {
        ++calls;
        if (failure.empty()) {
            task = Task{schedule, arguments};
        }
        return failure;
    }
    std::string removeClean() override {
        ++calls;
        if (failure.empty()) {
            task.reset();
        }
        return failure;
    }

    std::optional<Task> task;
    std::string failure;
    int calls = 0;
};

} // namespace dustbane::testing
