#pragma once

#include "platform/task_scheduler.h"
#include "text/language_table.h"

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace dustbane {

struct CheckedPath {
    std::string text;
    bool checked = true;

    bool operator==(const CheckedPath&) const = default;
};

using CheckedPathList = std::vector<CheckedPath>;

// The one live record of every setting. Field names follow the registry value names.
struct CleanSettings {
    bool Tempfolder = true;
    bool Interfolder = true;
    bool Recycle = true;
    bool Thumbs = true;
    bool Tempfile = true;
    bool Oldfile = true;
    bool Delfolder = false;
    bool Firefox = true;
    bool Displaybox = true;
    bool Errorreport = true;
    bool Logs = false;
    // Off: an empty file is program state as often as clutter (a Python package's
    // __init__.py, a lock or marker file).
    bool Zerofile = false;
    bool Picthumb = true;
    bool Savepos = true;
    bool Contextmenu = true;
    bool GoogleEarth = true;
    bool Acrobatreader = true;
    bool Hotfix = true;
    bool Logfile = true;
    bool Acdsee = true;
    bool WDIfile = true;
    bool Empfolder = false;
    bool Display = true;

    std::string FilesName;
    std::string Ext;
    int32_t Logday = 10;
    // Only files older than Agehours are deleted: a file written or created within that many
    // hours of a run's start stays.
    bool Agelimit = false;
    int32_t Agehours = 24;
    // Stored as Schedule, Scheduleday and Scheduletime; what the Task Scheduler holds once OK
    // has registered it.
    CleanSchedule Schedule;

    CheckedPathList FolderList;
    CheckedPathList FileList;
    CheckedPathList PathList;
    CheckedPathList PathexList;

    // The flags of cleaning targets that have no field above, by registry value name; a flag
    // missing here has its start-up value, and only the others are held.
    std::map<std::string, bool> targetFlags;

    bool operator==(const CleanSettings&) const = default;
};

// One flag of the record: its registry name, its field, the value the options dialog's
// Default button gives it and the caption of its check box (fixed English text; the
// settings summary and the stage heading lines show the same caption).
struct FlagField {
    const char* name;
    bool CleanSettings::*field;
    bool defaultValue;
    const char* caption;
};

// The 23 flags in store order.
extern const std::array<FlagField, 23> flagFields;

// The caption of a flag's check box.
const char* captionOf(bool CleanSettings::*field);

// A flag as it is stored and shown: its registry value name, its start-up value (which the
// Default button restores) and the fixed English caption of its check box.
struct FlagSetting {
    const char* name;
    bool startValue;
    const char* caption;
};

// One of the 23 flags above as a FlagSetting.
FlagSetting builtInFlag(bool CleanSettings::*field);
bool isBuiltInFlag(const FlagSetting& flag);

// A flag's value: its field when it has one, else its entry in targetFlags.
bool flagValue(const CleanSettings& settings, const FlagSetting& flag);
void setFlagValue(CleanSettings& settings, const FlagSetting& flag, bool value);

// One of the four lists with its registry stem ("Path" gives Pathnum, Patha0, Pathb1 ...).
struct ListField {
    const char* stem;
    CheckedPathList CleanSettings::*field;
};

// In load order: FolderList, FileList, PathList, PathexList.
extern const std::array<ListField, 4> listFieldsLoadOrder;
// In save order: PathList, FolderList, FileList, PathexList.
extern const std::array<ListField, 4> listFieldsSaveOrder;

// Inserts at the entry's sorted place (after equal texts), given the system's string order.
void insertSorted(CheckedPathList& list, CheckedPath entry,
                  const std::function<int(const std::string&, const std::string&)>& compare);

// The Default button: every flag to its default, the age limit and the schedule off, both
// texts and all four lists emptied; Logday, Agehours and the schedule's day and time stay.
void restoreDefaults(CleanSettings& settings);

inline constexpr int32_t minLogDays = 1;
inline constexpr int32_t maxLogDays = 100;
inline constexpr int32_t minAgeHours = 1;
inline constexpr int32_t maxAgeHours = 720;

// "Only delete files older than N hours" while the age limit is on; "" while it is off.
std::string ageLimitText(const CleanSettings& settings, const LanguageTable& language);

} // namespace dustbane
