#pragma once

#include "cli/run_report.h"
#include "platform/registry.h"
#include "settings/clean_settings.h"
#include "settings/target_setting.h"

#include <functional>
#include <string>
#include <vector>

namespace dustbane {

// Whether a policy sets the named setting, so that the user cannot change it.
using PolicyLock = std::function<bool(const std::string& settingName)>;

// Every setting of the record with its value and where it came from: locked by policy, saved
// in the user's settings key (nullptr when there is none), else the start-up value. In store
// order: the flags, the targets' own flags, the texts and numbers, then the four lists.
std::vector<ReportedSetting> settingsInForce(const CleanSettings& settings,
                                             const TargetSettings& targets,
                                             const RegistryKey* savedKey,
                                             const PolicyLock& lockedByPolicy);

} // namespace dustbane
