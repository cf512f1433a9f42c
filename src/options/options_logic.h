#pragma once

#include "platform/run_model.h"
#include "settings/path_list_edit.h"
#include "settings/settings_summary.h"
#include "start/app_services.h"

#include <cstddef>
#include <string>
#include <vector>

namespace dustbane {

// The options dialog's decisions, without its window: the snapshot taken when it is shown,
// the OK sequence, the restore on any other close and the recycle-bin question.
class OptionsLogic {
  public:
    OptionsLogic(AppServices& app, SettingsSummary& summary, RunModel& model);

    // Recycle went from ticked to unticked (by the user or by a load): ask, and on No tick
    // it again and store Recycle = 1 at once.
    void recycleCleared();

    // A check box was clicked: its field follows at once, and unticking Recycle asks.
    void setFlag(bool CleanSettings::*field, bool value);
    // The log-days field as typed: Logday follows it, clamped into 1..100.
    void setLogDaysText(const std::string& text);
    // The age-limit field as typed: Agehours follows it, clamped into 1..720.
    void setAgeHoursText(const std::string& text);

    // "Default": asks, then restores the defaults in the live record without writing them.
    // True when the record changed.
    bool restoreDefaultsAsked();

    // "Clear log": asks, then deletes the log file.
    void clearLog();
    // "View log": opens the log file, or says there is none.
    void viewLog();

    // A list's Add: the folder browser (or, for the file list, the file picker) and the
    // exact-text duplicate rule. True when something was added.
    bool add(PathListKind kind);
    // A list's Delete: the selected rows go.
    void remove(PathListKind kind, const std::vector<size_t>& selectedRows);

    // The dialog is about to show: clears accepted, saves the snapshot, syncs the verb.
    void shown();
    // The OK sequence; also run without the dialog by the start-up chain. A failed write, or
    // a schedule the Task Scheduler refused, is reported and does not stop the other steps.
    void ok();
    // Every close: unless accepted, the snapshot is restored.
    void closing();
    bool accepted() const { return accepted_; }
    // At start: a verb registered before the administrator disallowed it goes.
    void applyVerbPolicy();

  private:
    // A folder to delete: never a protected one, and one of the user's own known folders only
    // when the user confirms it.
    bool mayBeEmptied(const std::string& folder);
    // A path the administrator forbids is refused with a message.
    bool allowedByPolicy(const std::string& path);
    std::string syncVerb();
    void reportFailures(const std::vector<std::string>& failures);
    std::string logPath() const;

    AppServices& app_;
    SettingsSummary& summary_;
    RunModel& model_;
    bool accepted_ = false;
};

} // namespace dustbane
