#include "targets/target_run.h"

#include "engine/run_status.h"
#include "paths/case_folding.h"
#include "targets/target_catalogue.h"
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
            deletion.countItem({full, entry.size, false, false}, ": ");
        } else {
            deletion.context().run.ledger.stayed({full, entry.size, false, false},
                                                 StayReason::NotDeleted);
        }
    }
}

bool sameName(const std::string& a, const char* b) {
    return caseKey(a) == caseKey(b);
}

bool isProfile(Profiles profiles, const std::string& name) {
    switch (profiles) {
    case Profiles::None:
        return false;
    case Profiles::Chromium:
        return sameName(name, "Default") || sameName(name, "Guest Profile") ||
               caseKey(name).starts_with(caseKey("Profile "));
    case Profiles::EveryFolder:
        return true;
    }
    return false;
}

// The folders below path, not links, that pass the test.
template <typename Test>
std::vector<std::string> foldersBelow(FileSystem& files, const std::string& path, Test test) {
    std::vector<std::string> found;
    auto listing = files.list(path);
    if (!listing) {
        return found;
    }
    DirectoryEntry entry;
    while (listing->next(entry)) {
        if (entry.isDirectory() && !entry.isLink() && test(entry.name)) {
            found.push_back(withBackslash(path) + entry.name);
        }
    }
    return found;
}

// The folders a NamedFolders entry empties: those of its names directly below each profile,
// links left out.
std::vector<std::string> namedCaches(FileSystem& files, const TargetFolder& folder,
                                     const std::string& path) {
    std::vector<std::string> profiles{path};
    if (folder.profiles != Profiles::None) {
        profiles = foldersBelow(files, path, [&folder](const std::string& name) {
            return isProfile(folder.profiles, name);
        });
    }
    std::vector<std::string> caches;
    for (const std::string& profile : profiles) {
        const auto named = foldersBelow(files, profile, [&folder](const std::string& name) {
            return std::any_of(folder.names.begin(), folder.names.end(),
                               [&name](const char* wanted) { return sameName(name, wanted); });
        });
        caches.insert(caches.end(), named.begin(), named.end());
    }
    return caches;
}

void emptyNamedFolders(Deletion& deletion, const TargetFolder& folder, const std::string& path) {
    for (const std::string& cache : namedCaches(deletion.context().platform.files, folder, path)) {
        if (deletion.context().run.stopRequested) {
            return;
        }
        deletion.emptyFolder(cache);
    }
}

// Whether the folder is there to be cleaned, for named folders whether one of them is; a
// whole-folder removal makes it the run's rootFolder, so that the folder itself stays unless
// Delfolder is set.
bool folderFound(Deletion& deletion, const TargetFolder& folder, const std::string& path) {
    if (path.empty()) {
        return false;
    }
    FileSystem& files = deletion.context().platform.files;
    switch (folder.removal) {
    case Removal::NamePatterns:
        return files.directoryExists(path);
    case Removal::NamedFolders:
        return !namedCaches(files, folder, path).empty();
    case Removal::WholeContents:
    case Removal::NamedSubfolders:
        break;
    }
    return enterRootFolder(deletion, path);
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
    case Removal::NamedFolders:
        emptyNamedFolders(deletion, folder, path);
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

// "<time> skipped: <what> <reason>".
void addSkippedLine(Deletion& deletion, const std::string& what, const std::string& reason) {
    const LanguageTable& language = deletion.context().language;
    deletion.addStageLine(language.text(Text::Skipped), what + " " + reason);
}

// Whether an enabled target that needs elevation runs before this one, and so has given the
// administrator group's one skip line already.
bool groupLineGiven(const CleanSettings& settings, const CleanTarget& target) {
    for (const CleanTarget& earlier : targetCatalogue()) {
        if (std::string(earlier.setting.flag.name) == target.setting.flag.name) {
            return false;
        }
        if (earlier.needsElevation && flagValue(settings, earlier.setting.flag)) {
            return true;
        }
    }
    return false;
}

// Whether the target may not run now; says why in a line, once for the administrator group.
bool skippedNow(Deletion& deletion, const CleanTarget& target) {
    const RunContext& context = deletion.context();
    const System& system = context.platform.system;
    const LanguageTable& language = context.language;
    if (target.needsElevation && !system.runsElevated()) {
        if (!groupLineGiven(context.settings, target)) {
            addSkippedLine(deletion, "Administrator group",
                           "(" + language.text(Text::NeedsAdministratorRights) + ")");
        }
        return true;
    }
    if (target.process && system.processRuns(target.process)) {
        addSkippedLine(deletion, target.setting.flag.caption, language.text(Text::IsRunning));
        return true;
    }
    return false;
}

} // namespace

void runTarget(Deletion& deletion, const CleanTarget& target) {
    if (!stageWanted(deletion, target.entry, target.setting.flag)) {
        return;
    }
    if (target.heading != Heading::StepWhenFound) {
        stepStageProgress(deletion);
    }
    if (skippedNow(deletion, target)) {
        return;
    }
    deletion.context().run.ledger.setSection("");
    deletion.context().run.ledger.setGroup(target.setting.flag.caption, 0, LineImage::Information);
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
