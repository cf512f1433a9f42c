#pragma once

#include "platform/registry.h"
#include "platform/system.h"
#include "settings/clean_settings.h"
#include "settings/policy.h"
#include "settings/target_setting.h"

#include <functional>
#include <string>

namespace dustbane {

// The settings key of the current user.
inline constexpr const char* settingsKeyPath = "Software\\Quillfen\\Cleaner";

// The persistent form of CleanSettings: one registry key, one value per field, each list
// as a count plus one value per entry named <Stem>a<i> (checked) or <Stem>b<i>.
class SettingsStore {
  public:
    // The flags of targets without a field of their own are stored after the 23 built-in
    // flags, in the targets' order.
    SettingsStore(Registry& registry, const System& system, TargetSettings targets = {});

    // Reads the store into the record, then the administrator's policies over it. Missing
    // values leave fields as they are; the first value of the wrong type ends the load
    // silently. List entries are appended. recycleCleared runs when the user's Recycle goes
    // from true to false, as the dialog's box would.
    void loadSettings(CleanSettings& settings, const std::function<void()>& recycleCleared);

    // Both return "" on success, else what was not saved, in plain words. A failed write
    // ends the operation there. What a policy sets is not written: the user's own value
    // stays for the day the policy goes.
    std::string saveSettings(const CleanSettings& settings);
    std::string saveLists(const CleanSettings& settings);

    // Whether the user has saved settings: the lists are written only by the options dialog's
    // OK and by accepting a folder offered on the command line, never by merely starting,
    // closing or installing the program. A configured policy counts as saved settings.
    // Creates nothing.
    bool hasSavedSettings() const;

    // The policies the last load read.
    const Policy& policy() const { return policy_; }
    // The schedule as stored, without the rest of the record: the start-up schedule (off)
    // when nothing is stored. Creates nothing.
    CleanSchedule storedSchedule() const;
    // Stores the schedule as off, where a schedule is stored at all: removing the task must
    // not bring back a settings key that was deleted. "" on success.
    std::string storeScheduleOff();

    // Writes one flag on its own (the recycle-bin question's No writes Recycle at once).
    std::string writeFlag(const char* name, bool value);

  private:
    Registry& registry_;
    const System& system_;
    TargetSettings targets_;
    Policy policy_;
};

} // namespace dustbane
