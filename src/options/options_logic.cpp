#include "options/options_logic.h"

#include "paths/canonical_path.h"
#include "settings/clean_log.h"
#include "settings/context_menu.h"
#include "settings/scheduled_clean.h"

namespace dustbane {

namespace {

constexpr const char* recycleQuestion =
    "Do you want to delete permanently(can not be restored) when find in search path?";
constexpr const char* defaultQuestion = "Do you restore ALL settings to default values now?";
constexpr const char* clearLogQuestion = "Do you want to clean log?";

constexpr const char* protectedFolderText =
    " is a protected folder: a drive, the Windows or Program Files folder, ProgramData, the "
    "Users folder or a user's profile. Dustbane never empties it, so it cannot be a folder to "
    "delete.";
constexpr const char* knownFolderQuestion =
    " is one of your own folders (Desktop, Documents, Downloads, Pictures, Music, Videos or "
    "OneDrive). Everything in it will be deleted at every clean. Add it as a folder to delete?";

// The path in canonical form, as it is kept from here on; a path that has none stays as it
// is, and the run refuses it.
std::string canonicalOrAsGiven(const std::string& path) {
    return canonicalPath(path).value_or(path);
}

} // namespace

OptionsLogic::OptionsLogic(AppServices& app, SettingsSummary& summary, RunModel& model)
    : app_(app), summary_(summary), model_(model) {}

void OptionsLogic::recycleCleared() {
    Prompter& prompter = app_.platform.prompter;
    if (prompter.ask(recycleQuestion, "Confirmation", style::questionNoDefault) != answer::no) {
        return;
    }
    app_.settings.Recycle = true;
    reportFailures({app_.store.writeFlag("Recycle", true)});
}

void OptionsLogic::setFlag(bool CleanSettings::*field, bool value) {
    if (app_.store.policy().locks(builtInFlag(field).name)) {
        return;
    }
    bool was = app_.settings.*field;
    app_.settings.*field = value;
    if (field == &CleanSettings::Recycle && was && !value) {
        recycleCleared();
    }
}

void OptionsLogic::setLogDaysText(const std::string& text) {
    app_.settings.Logday = logDaysFromText(text);
}

void OptionsLogic::setAgeHoursText(const std::string& text) {
    app_.settings.Agehours = ageHoursFromText(text);
}

bool OptionsLogic::restoreDefaultsAsked() {
    if (app_.platform.prompter.ask(defaultQuestion, "Confirmation", style::question) !=
        answer::yes) {
        return false;
    }
    restoreDefaults(app_.settings);
    applyPolicy(app_.store.policy(), app_.settings, app_.targets);
    return true;
}

void OptionsLogic::clearLog() {
    if (app_.platform.prompter.ask(clearLogQuestion, "Clean Confirmation",
                                   style::questionNoDefault) != answer::yes) {
        return;
    }
    if (app_.platform.files.fileExists(logPath())) {
        app_.platform.files.deleteFile(logPath());
    }
}

void OptionsLogic::viewLog() {
    if (app_.platform.files.fileExists(logPath())) {
        app_.platform.shell.openDocument(logPath());
    } else {
        app_.platform.prompter.inform("No Log file!", "Information");
    }
}

bool OptionsLogic::add(PathListKind kind) {
    Shell& shell = app_.platform.shell;
    const Policy& policy = app_.store.policy();
    if ((kind == PathListKind::Paths && policy.locks("PathList")) ||
        (kind == PathListKind::Folders && policy.locks("FolderList"))) {
        return false;
    }
    CheckedPathList& list = pathList(app_.settings, kind);
    if (kind != PathListKind::Files) {
        const std::string folder = canonicalOrAsGiven(shell.browseForFolder(browseTitle(kind)));
        if (kind != PathListKind::ExcludedPaths && !allowedByPolicy(folder)) {
            return false;
        }
        if (kind == PathListKind::Folders && !mayBeEmptied(folder)) {
            return false;
        }
        return addUnlessListed(list, folder, app_.platform.system);
    }
    bool added = false;
    for (const std::string& file : shell.pickFiles()) {
        const std::string path = canonicalOrAsGiven(file);
        if (allowedByPolicy(path)) {
            added = addUnlessListed(list, path, app_.platform.system) || added;
        }
    }
    return added;
}

bool OptionsLogic::allowedByPolicy(const std::string& path) {
    if (path.empty() || !app_.store.policy().forbids(path, app_.platform.files)) {
        return true;
    }
    app_.platform.prompter.inform(app_.language.text(Text::ForbiddenByAdministrator) + " " + path,
                                  "Information");
    return false;
}

bool OptionsLogic::mayBeEmptied(const std::string& folder) {
    if (folder.empty()) {
        return true;
    }
    Prompter& prompter = app_.platform.prompter;
    switch (app_.folders.standingOf(folder)) {
    case ProtectedFolders::Standing::Protected:
        prompter.inform(folder + protectedFolderText, "Information");
        return false;
    case ProtectedFolders::Standing::KnownFolderRoot:
        return prompter.ask(folder + knownFolderQuestion, "Confirmation",
                            style::questionNoDefault) == answer::yes;
    case ProtectedFolders::Standing::Ordinary:
        break;
    }
    return true;
}

void OptionsLogic::remove(PathListKind kind, const std::vector<size_t>& selectedRows) {
    removeRows(pathList(app_.settings, kind), selectedRows);
}

void OptionsLogic::shown() {
    accepted_ = false;
    reportFailures({app_.store.saveSettings(app_.settings), syncVerb()});
}

void OptionsLogic::ok() {
    accepted_ = true;
    // Before the save, which then stores the schedule the Task Scheduler took.
    const std::string scheduleFailure =
        applySchedule(app_.platform.scheduler, app_.store.storedSchedule(), app_.settings.Schedule,
                      app_.language);
    std::vector<std::string> failures;
    const std::string settingsFailure = app_.store.saveSettings(app_.settings);
    failures.push_back(settingsFailure);
    failures.push_back(syncVerb());
    failures.push_back(app_.store.saveLists(app_.settings));
    failures.push_back(scheduleFailure);
    // The log goes only once "logging off" is stored: else the next start logs again, into a
    // log that lost its history. A failed delete leaves the old log in place.
    if (!app_.settings.Logs && settingsFailure.empty() &&
        app_.platform.files.fileExists(logPath())) {
        app_.platform.files.deleteFile(logPath());
    }
    reportFailures(failures);
    // During a run the main list shows the run's lines, which stay.
    if (!model_.active()) {
        summary_.rebuild();
        model_.setListMenuEnabled(true);
    }
}

void OptionsLogic::closing() {
    if (accepted_) {
        return;
    }
    for (const ListField& list : listFieldsLoadOrder) {
        (app_.settings.*list.field).clear();
    }
    app_.store.loadSettings(app_.settings, [this] { recycleCleared(); });
}

void OptionsLogic::applyVerbPolicy() {
    if (app_.store.policy().locks("Contextmenu")) {
        reportFailures({syncVerb()});
    }
}

std::string OptionsLogic::syncVerb() {
    return syncContextMenu(app_.platform.registry, app_.settings.Contextmenu, app_.installDir);
}

void OptionsLogic::reportFailures(const std::vector<std::string>& failures) {
    std::string text;
    for (const std::string& failure : failures) {
        if (!failure.empty()) {
            text += (text.empty() ? "" : "\n\n") + failure;
        }
    }
    if (!text.empty()) {
        app_.platform.prompter.reportError(text);
    }
}

std::string OptionsLogic::logPath() const {
    return logLocation(app_.platform.shell, app_.installDir).path;
}

} // namespace dustbane
