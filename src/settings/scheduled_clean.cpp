#include "settings/scheduled_clean.h"

#include "text/fill_in.h"

namespace dustbane {

namespace {

std::string removalFailure(const std::string& reason, const LanguageTable& language) {
    return fillIn(language.text(Text::ScheduleNotRemoved), {reason});
}

} // namespace

std::string applySchedule(TaskScheduler& scheduler, const CleanSchedule& stored,
                          CleanSchedule& chosen, const LanguageTable& language) {
    std::string failure;
    if (chosen.kind != ScheduleKind::Off) {
        if (const std::string reason = scheduler.registerClean(chosen, scheduledCleanArguments);
            !reason.empty()) {
            failure = fillIn(language.text(Text::ScheduleNotSetUp), {reason});
        }
    } else if (stored.kind != ScheduleKind::Off) {
        if (const std::string reason = scheduler.removeClean(); !reason.empty()) {
            failure = removalFailure(reason, language);
        }
    }
    if (!failure.empty()) {
        chosen = stored;
    }
    return failure;
}

std::string unscheduleClean(TaskScheduler& scheduler, SettingsStore& store,
                            const LanguageTable& language) {
    if (const std::string reason = scheduler.removeClean(); !reason.empty()) {
        return removalFailure(reason, language);
    }
    return store.storeScheduleOff();
}

} // namespace dustbane
