#include "engine/search_scan.h"

#include "engine/run_status.h"
#include "paths/canonical_path.h"

namespace dustbane {

namespace {

std::string asciiLower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

// Whether ";item;" occurs in ";list;": whole entries only, so an empty or padded entry
// matches nothing a real name could be.
bool listHolds(const std::string& list, const std::string& item) {
    return (";" + list + ";").find(";" + item + ";") != std::string::npos;
}

// The ledger's group of the files a rule selects: one per rule under each search path, in
// the rules' order, the empty folders last.
void enterRuleGroup(RunContext& context, FileRule rule) {
    static constexpr Text captions[] = {Text::RuleThumbsDb,       Text::RuleTildeName,
                                        Text::RuleZeroSize,       Text::RuleListedName,
                                        Text::RuleTildeExtension, Text::RuleOldExtension,
                                        Text::RuleLogExtension,   Text::RuleListedExtension};
    const int order = static_cast<int>(rule);
    context.run.ledger.setGroup(context.language.text(captions[order - 1]), order,
                                LineImage::FileRemoved);
}

void enterEmptyFoldersGroup(RunContext& context) {
    context.run.ledger.setGroup(context.language.text(Text::EmptyFolders),
                                static_cast<int>(FileRule::ListedExtension) + 1,
                                LineImage::FolderRemoved);
}

bool excluded(const CleanSettings& settings, const std::string& path) {
    for (const CheckedPath& entry : settings.PathexList) {
        if (entry.checked && entry.text == path) {
            return true;
        }
    }
    return false;
}

} // namespace

std::string lowerExtension(const std::string& name) {
    const auto dot = name.rfind('.');
    if (dot == std::string::npos) {
        return {};
    }
    return asciiLower(name.substr(dot + 1));
}

FileRule selectingRule(const CleanSettings& settings, const std::string& name, uint64_t size) {
    if (settings.Picthumb && name == "Thumbs.db") {
        return FileRule::ThumbsDb;
    }
    if (settings.Tempfile && !name.empty() && name.front() == '~') {
        return FileRule::TildeName;
    }
    if (settings.Zerofile && size == 0) {
        return FileRule::ZeroSize;
    }
    if (!settings.FilesName.empty() && listHolds(settings.FilesName, name)) {
        return FileRule::ListedName;
    }
    const std::string extension = lowerExtension(name);
    if (extension.empty()) {
        return FileRule::None;
    }
    if (settings.Tempfile && extension.front() == '~') {
        return FileRule::TildeExtension;
    }
    if (settings.Oldfile && (extension == "tmp" || extension == "old" || extension == "bak")) {
        return FileRule::OldExtension;
    }
    if (settings.Logfile && extension == "log") {
        return FileRule::LogExtension;
    }
    if (!settings.Ext.empty() && listHolds(asciiLower(settings.Ext), extension)) {
        return FileRule::ListedExtension;
    }
    return FileRule::None;
}

void cleanSearchPaths(Deletion& deletion) {
    RunContext& context = deletion.context();
    const std::string& began = context.language.text(Text::BeganSearch);
    // By index with a copy of the text: the options dialog may edit the list while a
    // scan pumps messages.
    for (size_t i = 0; i < context.settings.PathList.size(); ++i) {
        if (!context.settings.PathList[i].checked) {
            continue;
        }
        const std::string& text = context.settings.PathList[i].text;
        const std::string path = canonicalPath(text).value_or(text);
        if (forbiddenRoot(context, path)) {
            deletion.refuseForbidden(path);
            continue;
        }
        deletion.addResultLine(context.platform.system.longTimeNow() + " " + began + " " + path,
                               LineImage::Note);
        context.run.ledger.setSection(path);
        scanSearchPath(deletion, path);
    }
}

bool scanSearchPath(Deletion& deletion, const std::string& path) {
    RunContext& context = deletion.context();
    FileSystem& files = context.platform.files;
    WindowOperations& window = context.window;
    const CleanSettings& settings = context.settings;

    if (!files.directoryExists(path)) {
        return true;
    }
    // A forbidden folder below a search path is passed by as an excluded one is.
    if (excluded(settings, path) || (context.policy && context.policy->forbidsListed(path))) {
        return false;
    }
    const std::string dir = withBackslash(path);
    showActivity(context, Text::Searching, dir);

    bool empty = true;
    auto listing = files.list(dir);
    if (!listing) {
        return empty;
    }
    DirectoryEntry entry;
    while (listing->next(entry)) {
        if (!entry.name.empty() && entry.name.front() == '.') {
            continue;
        }
        empty = false;
        window.pumpMessages();
        if (context.run.stopRequested) {
            break;
        }
        // A link is content of its folder, but the scan neither enters nor deletes it.
        if (entry.isLink()) {
            continue;
        }
        const std::string full = dir + entry.name;
        if (entry.isDirectory()) {
            // Program state, reached from a wider search path: its files are not clutter
            // whatever their names.
            if (deletion.protectedFolders().skippedBySearch(full)) {
                continue;
            }
            if (!scanSearchPath(deletion, full) || !settings.Empfolder) {
                continue;
            }
            enterEmptyFoldersGroup(context);
            if (deletion.removeEmptyFolder(full) && settings.Display) {
                deletion.addResultLine(full + " (" + context.language.text(Text::EmptyFolder) + ")",
                                       LineImage::FolderRemoved);
            }
            continue;
        }
        advanceProgress(context.model, 1);
        const FileRule rule = selectingRule(settings, entry.name, entry.size);
        if (rule == FileRule::None) {
            continue;
        }
        enterRuleGroup(context, rule);
        if (!deletion.deleteItem(full, entry) || !settings.Display) {
            continue;
        }
        std::string line = full;
        if (rule == FileRule::ZeroSize) {
            line += " (" + context.language.text(Text::ZeroByte) + ")";
        }
        deletion.addResultLine(line, LineImage::FileRemoved);
        window.showChanges();
    }
    return empty;
}

} // namespace dustbane
