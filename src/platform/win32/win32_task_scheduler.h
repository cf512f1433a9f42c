#pragma once

#include "platform/task_scheduler.h"

#include <string>

namespace dustbane::win32 {

// The task folder of the scheduled cleans; every user's task sits in it.
inline constexpr const wchar_t* cleanTaskFolder = L"\\Dustbane";
// The current user's task in that folder: "Clean for <the user's SID>", unique to the user
// and free of the backslash a task name cannot hold. Empty when the SID cannot be read.
std::wstring cleanTaskName();

// The scheduled clean in the Task Scheduler 2.0 (ITaskService): a task that runs this
// program from its own folder at the schedule's times, with the user's interactive token
// and never elevated, so the administrator-only targets are skipped as in any plain run.
class Win32TaskScheduler : public TaskScheduler {
  public:
    std::string registerClean(const CleanSchedule& schedule, const std::string& arguments) override;
    // Also removes the task folder once no task is left in it.
    std::string removeClean() override;
};

} // namespace dustbane::win32
