#include "settings/clean_settings.h"

#include <algorithm>
#include <cstring>

namespace dustbane {

const std::array<FlagField, 23> flagFields = {{
    {"Tempfolder", &CleanSettings::Tempfolder, true, "Temporary folder"},
    {"Interfolder", &CleanSettings::Interfolder, true, "IE Temporary folder"},
    {"Recycle", &CleanSettings::Recycle, true,
     "Delete files of search pathes to Recycle bin(others delete directly)"},
    {"Thumbs", &CleanSettings::Thumbs, true, "Picture Thumb cache"},
    {"Tempfile", &CleanSettings::Tempfile, true, "Temporary files (*.~xy, ~xy.*)"},
    {"Oldfile", &CleanSettings::Oldfile, true, ".tmp .old .bak "},
    {"Delfolder", &CleanSettings::Delfolder, false, "Also delete folder itself"},
    {"Firefox", &CleanSettings::Firefox, true, "Firefox cache folder"},
    {"Displaybox", &CleanSettings::Displaybox, true, "Display Confirmation box when start clean"},
    {"Errorreport", &CleanSettings::Errorreport, true, "Windows error report"},
    {"Logs", &CleanSettings::Logs, true, "Save log for "},
    {"Zerofile", &CleanSettings::Zerofile, false, "0 size file"},
    {"Picthumb", &CleanSettings::Picthumb, true, "Picture Thumb files"},
    {"Savepos", &CleanSettings::Savepos, true, "Restore window size when start"},
    {"Contextmenu", &CleanSettings::Contextmenu, true,
     "Integrated with Windows Explorer context menu"},
    {"GoogleEarth", &CleanSettings::GoogleEarth, true, "Google Earth Cache"},
    {"Acrobatreader", &CleanSettings::Acrobatreader, true, "Acrobat Reader8 Cache"},
    {"Hotfix", &CleanSettings::Hotfix, true, "Windows hotfix or patch"},
    {"Logfile", &CleanSettings::Logfile, true, "Log files (*.log)"},
    {"Acdsee", &CleanSettings::Acdsee, true, "Acdsee database"},
    {"WDIfile", &CleanSettings::WDIfile, true, "WDI created files"},
    {"Empfolder", &CleanSettings::Empfolder, false, "Delete empty folder"},
    {"Display", &CleanSettings::Display, true,
     "Display the deleted file which was found in the search pathes"},
}};

const std::array<ListField, 4> listFieldsLoadOrder = {{
    {"Folder", &CleanSettings::FolderList},
    {"File", &CleanSettings::FileList},
    {"Path", &CleanSettings::PathList},
    {"Pathex", &CleanSettings::PathexList},
}};

const std::array<ListField, 4> listFieldsSaveOrder = {{
    {"Path", &CleanSettings::PathList},
    {"Folder", &CleanSettings::FolderList},
    {"File", &CleanSettings::FileList},
    {"Pathex", &CleanSettings::PathexList},
}};

namespace {

const FlagField* fieldNamed(const char* name) {
    auto found = std::find_if(flagFields.begin(), flagFields.end(), [name](const FlagField& flag) {
        return std::strcmp(flag.name, name) == 0;
    });
    return found == flagFields.end() ? nullptr : &*found;
}

} // namespace

const char* captionOf(bool CleanSettings::*field) {
    return builtInFlag(field).caption;
}

FlagSetting builtInFlag(bool CleanSettings::*field) {
    auto found = std::find_if(flagFields.begin(), flagFields.end(),
                              [field](const FlagField& flag) { return flag.field == field; });
    return {found->name, found->defaultValue, found->caption};
}

bool isBuiltInFlag(const FlagSetting& flag) {
    return fieldNamed(flag.name) != nullptr;
}

bool flagValue(const CleanSettings& settings, const FlagSetting& flag) {
    if (const FlagField* field = fieldNamed(flag.name)) {
        return settings.*field->field;
    }
    auto stored = settings.targetFlags.find(flag.name);
    return stored == settings.targetFlags.end() ? flag.startValue : stored->second;
}

void setFlagValue(CleanSettings& settings, const FlagSetting& flag, bool value) {
    if (const FlagField* field = fieldNamed(flag.name)) {
        settings.*field->field = value;
    } else if (value == flag.startValue) {
        // Only values other than the start value are kept, so that records holding the same
        // flags compare equal however they got them.
        settings.targetFlags.erase(flag.name);
    } else {
        settings.targetFlags[flag.name] = value;
    }
}

void insertSorted(CheckedPathList& list, CheckedPath entry,
                  const std::function<int(const std::string&, const std::string&)>& compare) {
    auto place = std::find_if(list.begin(), list.end(), [&](const CheckedPath& other) {
        return compare(entry.text, other.text) < 0;
    });
    list.insert(place, std::move(entry));
}

void restoreDefaults(CleanSettings& settings) {
    for (const FlagField& flag : flagFields) {
        settings.*flag.field = flag.defaultValue;
    }
    // Every target flag without a field of its own goes back to its start-up value.
    settings.targetFlags.clear();
    settings.Agelimit = false;
    // "ALL settings to default" includes the schedule, which starts off; OK then removes the
    // task. Its day and time stay, as Agehours does.
    settings.Schedule.kind = ScheduleKind::Off;
    settings.FilesName.clear();
    settings.Ext.clear();
    for (const ListField& list : listFieldsLoadOrder) {
        (settings.*list.field).clear();
    }
}

std::string ageLimitText(const CleanSettings& settings, const LanguageTable& language) {
    if (!settings.Agelimit) {
        return {};
    }
    return language.text(Text::AgeLimitBefore) + " " + std::to_string(settings.Agehours) + " " +
           language.text(Text::AgeLimitAfter);
}

} // namespace dustbane
