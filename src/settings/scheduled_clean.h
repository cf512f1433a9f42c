#pragma once

#include "platform/task_scheduler.h"
#include "settings/settings_store.h"
#include "text/language_table.h"

#include <string>

namespace dustbane {

// What the scheduled task runs: a clean with the stored settings, logged as they say.
inline constexpr const char* scheduledCleanArguments = "/clean";

// OK's step for the schedule, given the schedule stored before OK, which is what the Task
// Scheduler holds: while the chosen schedule is on, the task is registered (at every OK, so
// that it follows the program to another folder and comes back when deleted by hand); when
// it was turned off, the task is removed. When the Task Scheduler refuses, the chosen
// schedule goes back to the stored one, so that the settings keep saying what the Task
// Scheduler holds, and the failure is returned in plain words; else "".
std::string applySchedule(TaskScheduler& scheduler, const CleanSchedule& stored,
                          CleanSchedule& chosen, const LanguageTable& language);

// The /unschedule switch: removes the current user's task (nothing to do is no failure) and
// stores the schedule as off. "" on success, else the failure in plain words.
std::string unscheduleClean(TaskScheduler& scheduler, SettingsStore& store,
                            const LanguageTable& language);

} // namespace dustbane
