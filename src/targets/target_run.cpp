#include "targets/target_run.h"

#include "engine/run_status.h"
#include "targets/windows_locations.h"

#include <algorithm>

namespace dustbane {

namespace {

// The folder in canonical form; "" when the system does not name its base.
std::string resolveFolder(Deletion& deletion, const TargetFolder& folder) {
    const Shell& shell = deletion.context().platform.shell;
    const std::string relative = folder.relative;
    switch (folder.base) {
    case FolderBase::TempFolder:
        return canonicalOrEmpty(shell.tempPath());
    case FolderBase::KnownFolder:
        return relative.empty() ? resolveSpecialFolder(deletion, folder.knownFolder)
                                : underSpecialFolder(deletion, folder.knownFolder, relative);
    case FolderBase::WindowsFolder: {
        const std::string dir = windowsFolderOf(shell).dir;
        return dir.empty() ? std::string() : dir + relative;
    }
    case FolderBase::WindowsDrive: {
        const std::string drive = windowsFolderOf(shell).drive;
        return drive.empty() ? std::string() : drive + relative;
    }
    }
    return {};
}

bool matches(const NamePattern& pattern, const DirectoryEntry& entry) {
    return entry.isDirectory() == pattern.folder && entry.name.starts_with(pattern.prefix) &&
           entry.name.ends_with(pattern.suffix);
}

// A matching folder goes whole as an item; a matching file is counted without a line.
void removeMatching(Deletion& deletion, const std::string& folder,
                    const std::vector<NamePattern>& patterns) {
    FileSystem& files = deletion.context().platform.files;
    auto listing = files.list(folder);
    if (!listing) {
        return;
    }
    const std::string dir = withBackslash(folder);
    DirectoryEntry entry;
    while (listing->next(entry)) {
        auto pattern = std::find_if(patterns.begin(), patterns.end(),
                                    [&entry](const NamePattern& p) { return matches(p, entry); });
        if (pattern == patterns.end()) {
            continue;
        }
        // A file the age limit keeps is left as it is, attributes and all.
        if (deletion.keptByAge(entry)) {
            continue;
        }
        const std::string full = dir + entry.name;
        // Attributes set through a link may reach its target; links go as links either way.
        if (!entry.isLink()) {
            files.setNormalAttributes(full);
        }
        if (pattern->folder) {
            deletion.deleteItem(full);
        } else if (files.deleteFile(full)) {
            countDeleted(deletion.context(), ": ");
        }
    }
}

// Whether the folder is there to be cleaned; a whole-folder removal makes it the run's
// rootFolder, so that the folder itself stays unless Delfolder is set.
bool folderFound(Deletion& deletion, const TargetFolder& folder, const std::string& path) {
    if (path.empty()) {
        return false;
    }
    return folder.removal == Removal::NamePatterns || enterRootFolder(deletion, path);
}

void removeFrom(Deletion& deletion, const TargetFolder& folder, const std::string& path) {
    switch (folder.removal) {
    case Removal::WholeContents:
        deletion.cleanFolder(path);
        return;
    case Removal::NamedSubfolders:
        deletion.cleanNamedSubfolders(path, folder.subfolderName, "");
        return;
    case Removal::NamePatterns:
        removeMatching(deletion, path, folder.patterns);
        return;
    }
}

std::string beganTitle(Deletion& deletion, const CleanTarget& target, const std::string& path) {
    return deletion.context().language.text(target.title) + " (" + path + ")";
}

// The heading that waits for the first folder found, given before its removal.
void announceFound(Deletion& deletion, const CleanTarget& target, const std::string& path) {
    const LanguageTable& language = deletion.context().language;
    switch (target.heading) {
    case Heading::AtStart:
        return;
    case Heading::StepWhenFound:
        stepStageProgress(deletion);
        addCaptionLine(deletion, target.setting.flag);
        return;
    case Heading::WhenFound:
        addCaptionLine(deletion, target.setting.flag);
        return;
    case Heading::BeganAndFinished:
        deletion.addStageLine(language.text(Text::Began), beganTitle(deletion, target, path));
        return;
    }
}

void finishFound(Deletion& deletion, const CleanTarget& target, const std::string& path) {
    RunContext& context = deletion.context();
    if (target.heading == Heading::BeganAndFinished && !context.run.stopRequested) {
        deletion.addStageLine(context.language.text(Text::Finished),
                              beganTitle(deletion, target, path));
    }
}

void cleanFolders(Deletion& deletion, const CleanTarget& target) {
    bool anyFound = false;
    for (const TargetFolder& folder : target.folders) {
        const std::string path = resolveFolder(deletion, folder);
        if (!folderFound(deletion, folder, path)) {
            if (folder.required) {
                return;
            }
            continue;
        }
        if (!anyFound) {
            announceFound(deletion, target, path);
        }
        removeFrom(deletion, folder, path);
        if (!anyFound) {
            finishFound(deletion, target, path);
        }
        anyFound = true;
    }
}

} // namespace

void runTarget(Deletion& deletion, const CleanTarget& target) {
    if (!stageWanted(deletion, target.entry, target.setting.flag)) {
        return;
    }
    if (target.heading != Heading::StepWhenFound) {
        stepStageProgress(deletion);
    }
    if (target.special) {
        target.special(deletion, target);
        return;
    }
    if (target.heading == Heading::AtStart) {
        addCaptionLine(deletion, target.setting.flag);
    }
    cleanFolders(deletion, target);
}

} // namespace dustbane
