#include "settings/options_logic.h"

#include "engine/clean_log.h"
#include "settings/context_menu.h"
#include "settings/path_argument.h"

namespace dustbane {

namespace {

constexpr const char* recycleQuestion =
    "Do you want to delete permanently(can not be restored) when find in search path?";
constexpr const char* defaultQuestion = "Do you restore ALL settings to default values now?";
constexpr const char* clearLogQuestion = "Do you want to clean log?";

// Language-table entries of the question that offers a folder argument.
constexpr int addPathLead = 37;
constexpr int addPathTail = 38;

} // namespace

OptionsLogic::OptionsLogic(AppServices& app, SettingsSummary& summary, WindowOperations& window)
    : app_(app), summary_(summary), window_(window) {}

void OptionsLogic::recycleCleared() {
    Prompter& prompter = app_.platform.prompter;
    if (prompter.ask(recycleQuestion, "Confirmation", style::questionNoDefault) != answer::no) {
        return;
    }
    app_.settings.Recycle = true;
    reportFailures({app_.store.writeFlag("Recycle", true)});
}

void OptionsLogic::setFlag(bool CleanSettings::*field, bool value) {
    bool was = app_.settings.*field;
    app_.settings.*field = value;
    if (field == &CleanSettings::Recycle && was && !value) {
        recycleCleared();
    }
}

void OptionsLogic::setLogDaysText(const std::string& text) {
    app_.settings.Logday = logDaysFromText(text);
}

bool OptionsLogic::restoreDefaultsAsked() {
    if (app_.platform.prompter.ask(defaultQuestion, "Confirmation", style::question) !=
        answer::yes) {
        return false;
    }
    restoreDefaults(app_.settings);
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
    CheckedPathList& list = pathList(app_.settings, kind);
    if (kind != PathListKind::Files) {
        return addUnlessListed(list, shell.browseForFolder(browseTitle(kind)),
                               app_.platform.system);
    }
    bool added = false;
    for (const std::string& file : shell.pickFiles()) {
        added = addUnlessListed(list, file, app_.platform.system) || added;
    }
    return added;
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
    std::vector<std::string> failures;
    failures.push_back(app_.store.saveSettings(app_.settings));
    failures.push_back(syncVerb());
    failures.push_back(app_.store.saveLists(app_.settings));
    // A failed delete leaves the old log in place; there is nothing more to do about it.
    if (!app_.settings.Logs && app_.platform.files.fileExists(logPath())) {
        app_.platform.files.deleteFile(logPath());
    }
    reportFailures(failures);
    // During a run the main list shows the run's lines, which stay.
    if (!window_.progressVisible()) {
        summary_.rebuild();
        window_.setListMenuEnabled(true);
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

void OptionsLogic::offerPathArgument(const std::string& argument) {
    app_.store.loadSettings(app_.settings, [this] { recycleCleared(); });
    summary_.rebuild();
    if (!argument.empty() && app_.platform.files.directoryExists(argument)) {
        if (listHoldsIgnoringCase(app_.settings.PathList, argument)) {
            return;
        }
        std::string question = app_.language.text(addPathLead) + " '" + argument + "' " +
                               app_.language.text(addPathTail);
        if (app_.platform.prompter.ask(question, "Add path", style::question) == answer::yes) {
            insertSorted(app_.settings.PathList, {argument, true},
                         [this](const std::string& a, const std::string& b) {
                             return app_.platform.system.compareStrings(a, b);
                         });
            ok();
        }
    }
    window_.pumpMessages();
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
