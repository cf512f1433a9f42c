#include "cli/settings_in_force.h"

#include <utility>

namespace dustbane {

std::vector<ReportedSetting> settingsInForce(const CleanSettings& settings,
                                             const TargetSettings& targets,
                                             const RegistryKey* savedKey,
                                             const PolicyLock& lockedByPolicy) {
    std::vector<ReportedSetting> result;
    // storedName is the value whose presence says the user saved the setting.
    auto add = [&](std::string name, SettingValue value, const std::string& storedName) {
        SettingSource source = SettingSource::Default;
        if (lockedByPolicy(name)) {
            source = SettingSource::Policy;
        } else if (savedKey && savedKey->valueExists(storedName)) {
            source = SettingSource::User;
        }
        result.push_back({std::move(name), std::move(value), source});
    };
    for (const FlagField& flag : flagFields) {
        add(flag.name, settings.*flag.field, flag.name);
    }
    for (const TargetSetting& target : targets) {
        if (!isBuiltInFlag(target.flag)) {
            add(target.flag.name, flagValue(settings, target.flag), target.flag.name);
        }
    }
    add("FilesName", settings.FilesName, "FilesName");
    add("Ext", settings.Ext, "Ext");
    add("Logday", settings.Logday, "Logday");
    add("Agelimit", settings.Agelimit, "Agelimit");
    add("Agehours", settings.Agehours, "Agehours");
    for (const ListField& list : listFieldsLoadOrder) {
        const std::string stem = list.stem;
        add(stem + "List", settings.*list.field, stem + "num");
    }
    return result;
}

} // namespace dustbane
