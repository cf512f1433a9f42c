#include "settings/settings_store.h"

#include "paths/canonical_path.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

namespace dustbane {

namespace {

std::string entryName(const char* stem, bool checked, size_t index) {
    return std::string(stem) + (checked ? "a" : "b") + std::to_string(index);
}

std::string notSaved(const std::string& what) {
    return "The setting \"" + what +
           "\" could not be saved to the registry key HKEY_CURRENT_USER\\" + settingsKeyPath +
           "; it and the settings after it keep their previous stored values.";
}

const char* keyNotOpened = "The registry key HKEY_CURRENT_USER\\Software\\Quillfen\\Cleaner "
                           "could not be opened for writing, so the settings were not saved.";

bool sameLetterIgnoringCase(char a, char b) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return lower(a) == lower(b);
}

// The index of a value named <stem>a<i> or <stem>b<i> (value names ignore case, and i is
// written without leading zeros); -1 for any other name.
int64_t entryIndex(const std::string& name, const std::string& stem) {
    const size_t digits = stem.size() + 1;
    if (name.size() <= digits || name.size() > digits + 10 ||
        !std::equal(stem.begin(), stem.end(), name.begin(), sameLetterIgnoringCase) ||
        !(sameLetterIgnoringCase(name[stem.size()], 'a') ||
          sameLetterIgnoringCase(name[stem.size()], 'b')) ||
        (name[digits] == '0' && name.size() > digits + 1)) {
        return -1;
    }
    int64_t index = 0;
    for (size_t i = digits; i < name.size(); ++i) {
        if (name[i] < '0' || name[i] > '9') {
            return -1;
        }
        index = index * 10 + (name[i] - '0');
    }
    return index;
}

// The entry indices stored for the list, ascending. The load visits only these: a corrupt
// count, or one stray name with a huge index, must not make it probe billions of names.
std::vector<int64_t> storedIndices(const std::vector<std::string>& valueNames,
                                   const std::string& stem) {
    std::vector<int64_t> indices;
    for (const std::string& name : valueNames) {
        if (int64_t index = entryIndex(name, stem); index >= 0) {
            indices.push_back(index);
        }
    }
    std::sort(indices.begin(), indices.end());
    indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
    return indices;
}

// Reads one list; false when a value could not be read.
bool loadList(const RegistryKey& key, const std::vector<std::string>& valueNames,
              const ListField& list, CleanSettings& settings) {
    CheckedPathList& entries = settings.*list.field;
    std::string countName = std::string(list.stem) + "num";
    if (!key.valueExists(countName)) {
        if (std::string(list.stem) == "Path") {
            entries.push_back({"C:", true});
        }
        return true;
    }
    auto count = key.readInt(countName);
    if (!count) {
        return false;
    }
    for (int64_t i : storedIndices(valueNames, list.stem)) {
        if (i >= *count) {
            break;
        }
        for (bool checked : {true, false}) {
            std::string name = entryName(list.stem, checked, static_cast<size_t>(i));
            if (!key.valueExists(name)) {
                continue;
            }
            auto text = key.readString(name);
            if (!text) {
                return false;
            }
            // Made canonical here, where the path enters: "C:\\a\\..\\" is shown, compared
            // and cleaned as the drive's root it names.
            entries.push_back({canonicalPath(*text).value_or(*text), checked});
        }
    }
    return true;
}

// Reads the flags of the targets without a field of their own; false when one could not be read.
// Settings saved by an earlier version lack the flags of targets it did not know: those stay
// off, so that an update never widens what a run deletes.
bool loadTargetFlags(const RegistryKey& key, const TargetSettings& targets,
                     CleanSettings& settings) {
    const bool savedBefore = key.valueExists("Pathnum");
    for (const TargetSetting& target : targets) {
        if (isBuiltInFlag(target.flag)) {
            continue;
        }
        if (!key.valueExists(target.flag.name)) {
            if (savedBefore) {
                setFlagValue(settings, target.flag, false);
            }
            continue;
        }
        auto value = key.readInt(target.flag.name);
        if (!value) {
            return false;
        }
        setFlagValue(settings, target.flag, *value != 0);
    }
    return true;
}

// The age limit came after every other value: a key from before it has neither value, and
// the limit stays off.
void loadAgeLimit(const RegistryKey& key, CleanSettings& settings) {
    if (key.valueExists("Agelimit")) {
        auto on = key.readInt("Agelimit");
        if (!on) {
            return;
        }
        settings.Agelimit = *on != 0;
    }
    if (key.valueExists("Agehours")) {
        if (auto hours = key.readInt("Agehours")) {
            settings.Agehours = std::clamp(*hours, minAgeHours, maxAgeHours);
        }
    }
}

ScheduleKind scheduleKindOf(int32_t stored) {
    switch (stored) {
    case static_cast<int32_t>(ScheduleKind::Daily):
        return ScheduleKind::Daily;
    case static_cast<int32_t>(ScheduleKind::Weekly):
        return ScheduleKind::Weekly;
    default:
        return ScheduleKind::Off;
    }
}

// The schedule came after the age limit: a key from before it has none of its values, and
// the schedule stays off. A kind this version does not know is off too.
void loadSchedule(const RegistryKey& key, CleanSchedule& schedule) {
    if (auto kind = key.readInt("Schedule")) {
        schedule.kind = scheduleKindOf(*kind);
    }
    if (auto day = key.readInt("Scheduleday")) {
        schedule.day = std::clamp(*day, 0, 6);
    }
    if (auto minutes = key.readInt("Scheduletime")) {
        schedule.minutes = std::clamp(*minutes, 0, minutesPerDay - 1);
    }
}

// Reads every field in store order; stops at the first value that cannot be read.
void loadFields(const RegistryKey& key, const TargetSettings& targets, CleanSettings& settings,
                const std::function<void()>& recycleCleared) {
    for (const FlagField& flag : flagFields) {
        if (!key.valueExists(flag.name)) {
            continue;
        }
        auto value = key.readInt(flag.name);
        if (!value) {
            return;
        }
        bool wasSet = settings.*flag.field;
        settings.*flag.field = *value != 0;
        if (flag.field == &CleanSettings::Recycle && wasSet && !settings.Recycle &&
            recycleCleared) {
            recycleCleared();
        }
    }
    if (!loadTargetFlags(key, targets, settings)) {
        return;
    }
    for (auto [name, field] : {std::pair{"FilesName", &CleanSettings::FilesName},
                               std::pair{"Ext", &CleanSettings::Ext}}) {
        if (!key.valueExists(name)) {
            continue;
        }
        auto text = key.readString(name);
        if (!text) {
            return;
        }
        settings.*field = *text;
    }
    if (key.valueExists("Logday")) {
        auto days = key.readInt("Logday");
        if (!days) {
            return;
        }
        settings.Logday = std::clamp(*days, minLogDays, maxLogDays);
    }
    const std::vector<std::string> valueNames = key.valueNames();
    for (const ListField& list : listFieldsLoadOrder) {
        if (!loadList(key, valueNames, list, settings)) {
            return;
        }
    }
    loadAgeLimit(key, settings);
    loadSchedule(key, settings.Schedule);
}

} // namespace

bool SettingsStore::hasSavedSettings() const {
    const auto key = registry_.open(RegistryRoot::CurrentUser, settingsKeyPath, false);
    return (key && key->valueExists("Pathnum")) || readPolicy(registry_, targets_).configured();
}

SettingsStore::SettingsStore(Registry& registry, const System& system, TargetSettings targets)
    : registry_(registry), system_(system), targets_(std::move(targets)) {}

void SettingsStore::loadSettings(CleanSettings& settings,
                                 const std::function<void()>& recycleCleared) {
    policy_ = readPolicy(registry_, targets_);
    if (auto key = registry_.open(RegistryRoot::CurrentUser, settingsKeyPath, true)) {
        // No question about a Recycle the administrator decides.
        loadFields(*key, targets_, settings,
                   policy_.locks("Recycle") ? std::function<void()>() : recycleCleared);
    }
    applyPolicy(policy_, settings, targets_);
    auto byText = [this](const CheckedPath& a, const CheckedPath& b) {
        return system_.compareStrings(a.text, b.text) < 0;
    };
    for (const ListField& list : listFieldsLoadOrder) {
        std::stable_sort((settings.*list.field).begin(), (settings.*list.field).end(), byText);
    }
}

std::string SettingsStore::saveSettings(const CleanSettings& settings) {
    auto key = registry_.open(RegistryRoot::CurrentUser, settingsKeyPath, true);
    if (!key) {
        return keyNotOpened;
    }
    for (const FlagField& flag : flagFields) {
        if (policy_.locks(flag.name)) {
            continue;
        }
        if (!key->writeInt(flag.name, settings.*flag.field ? 1 : 0)) {
            return notSaved(flag.name);
        }
    }
    for (const TargetSetting& target : targets_) {
        if (!isBuiltInFlag(target.flag) && !policy_.locks(target.flag.name) &&
            !key->writeInt(target.flag.name, flagValue(settings, target.flag) ? 1 : 0)) {
            return notSaved(target.flag.name);
        }
    }
    if (!key->writeString("FilesName", settings.FilesName)) {
        return notSaved("FilesName");
    }
    if (!key->writeString("Ext", settings.Ext)) {
        return notSaved("Ext");
    }
    const std::pair<const char*, int32_t> numbers[] = {
        {"Logday", settings.Logday},
        {"Agelimit", settings.Agelimit ? 1 : 0},
        {"Agehours", settings.Agehours},
    };
    for (const auto& [name, value] : numbers) {
        if (!policy_.locks(name) && !key->writeInt(name, value)) {
            return notSaved(name);
        }
    }
    // A schedule the administrator turned off by forbidding /clean keeps the user's own.
    if (policy_.locks("Schedule")) {
        return {};
    }
    const CleanSchedule& schedule = settings.Schedule;
    for (auto [name, value] :
         {std::pair{"Schedule", static_cast<int32_t>(schedule.kind)},
          std::pair{"Scheduleday", schedule.day}, std::pair{"Scheduletime", schedule.minutes}}) {
        if (!key->writeInt(name, value)) {
            return notSaved(name);
        }
    }
    return {};
}

std::string SettingsStore::saveLists(const CleanSettings& settings) {
    auto key = registry_.open(RegistryRoot::CurrentUser, settingsKeyPath, true);
    if (!key) {
        return keyNotOpened;
    }
    for (const ListField& list : listFieldsSaveOrder) {
        const CheckedPathList& entries = settings.*list.field;
        std::string countName = std::string(list.stem) + "num";
        if (policy_.locks(std::string(list.stem) + "List")) {
            // The user's own list stays; its count still marks the settings as saved.
            if (!key->valueExists(countName) && !key->writeInt(countName, 0)) {
                return notSaved(countName);
            }
            continue;
        }
        if (!key->writeInt(countName, static_cast<int32_t>(entries.size()))) {
            return notSaved(countName);
        }
        for (size_t i = 0; i < entries.size(); ++i) {
            std::string kept = entryName(list.stem, entries[i].checked, i);
            std::string other = entryName(list.stem, !entries[i].checked, i);
            if (!key->writeString(kept, entries[i].text)) {
                return notSaved(kept);
            }
            if (key->valueExists(other) && !key->deleteValue(other)) {
                return notSaved(other);
            }
        }
        // Entries past the new end, left by a longer list, are removed.
        for (size_t n = entries.size();; ++n) {
            std::string checkedName = entryName(list.stem, true, n);
            std::string uncheckedName = entryName(list.stem, false, n);
            std::string stale = key->valueExists(checkedName)     ? checkedName
                                : key->valueExists(uncheckedName) ? uncheckedName
                                                                  : std::string();
            if (stale.empty()) {
                break;
            }
            if (!key->deleteValue(stale)) {
                return notSaved(stale);
            }
        }
    }
    return {};
}

CleanSchedule SettingsStore::storedSchedule() const {
    CleanSchedule schedule;
    if (const auto key = registry_.open(RegistryRoot::CurrentUser, settingsKeyPath, false)) {
        loadSchedule(*key, schedule);
    }
    return schedule;
}

std::string SettingsStore::storeScheduleOff() {
    const auto key = registry_.open(RegistryRoot::CurrentUser, settingsKeyPath, false);
    if (!key || !key->valueExists("Schedule")) {
        return {};
    }
    return key->writeInt("Schedule", static_cast<int32_t>(ScheduleKind::Off))
               ? std::string()
               : notSaved("Schedule");
}

std::string SettingsStore::writeFlag(const char* name, bool value) {
    auto key = registry_.open(RegistryRoot::CurrentUser, settingsKeyPath, true);
    if (!key) {
        return keyNotOpened;
    }
    return key->writeInt(name, value ? 1 : 0) ? std::string() : notSaved(name);
}

} // namespace dustbane
