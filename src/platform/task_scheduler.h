#pragma once

#include <cstdint>
#include <string>

namespace dustbane {

// How often the scheduled clean runs; the numbers are the stored values.
enum class ScheduleKind : int32_t { Off = 0, Daily = 1, Weekly = 2 };

inline constexpr int32_t minutesPerDay = 24 * 60;

// When the scheduled clean runs: daily, or weekly on a day (0 Sunday .. 6 Saturday, as the
// Task Scheduler counts them), at a time of day in minutes after midnight, local time.
struct CleanSchedule {
    ScheduleKind kind = ScheduleKind::Off;
    int32_t day = 1;
    int32_t minutes = 12 * 60;

    bool operator==(const CleanSchedule&) const = default;
};

// The current user's scheduled clean in the system's task scheduler: one task, which runs
// this program with the user's rights, never elevated.
class TaskScheduler {
  public:
    virtual ~TaskScheduler() = default;

    // Registers the task (or replaces it) to run the program with these arguments at the
    // schedule's times; schedule.kind is never Off. Returns "" on success, else the reason
    // in the system's words.
    virtual std::string registerClean(const CleanSchedule& schedule,
                                      const std::string& arguments) = 0;
    // Removes the task; "" on success, also when there was none, else the reason.
    virtual std::string removeClean() = 0;
};

} // namespace dustbane
