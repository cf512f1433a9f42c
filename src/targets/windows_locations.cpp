#include "targets/windows_locations.h"

#include "engine/run_status.h"
#include "targets/stage_frame.h"

namespace dustbane {

namespace {

// The two stages whose headings name the folder: a "Began" line, and a "Finished" line
// unless the run was stopped on the way.
void cleanWithPathHeadings(Deletion& deletion, const std::string& folder, Text titleEntry) {
    RunContext& context = deletion.context();
    if (!enterRootFolder(deletion, folder)) {
        return;
    }
    const std::string title = context.language.text(titleEntry) + " (" + folder + ")";
    deletion.addStageLine(context.language.text(Text::Began), title);
    deletion.cleanFolder(folder);
    if (!context.run.stopRequested) {
        deletion.addStageLine(context.language.text(Text::Finished), title);
    }
}

bool isUninstallFolderName(const std::string& name) {
    return name.starts_with("$NtUninstall");
}

// The extension from the last dot is ".log" exactly when the name ends with it.
bool isHotfixLogName(const std::string& name) {
    return name.starts_with("KB") && name.ends_with(".log");
}

// The top level of the Windows folder only. It lets no messages run and ignores a stop,
// as the scan is short.
void removeHotfixEntries(Deletion& deletion, const std::string& windowsDir) {
    FileSystem& files = deletion.context().platform.files;
    auto listing = files.list(windowsDir);
    if (!listing) {
        return;
    }
    DirectoryEntry entry;
    while (listing->next(entry)) {
        const bool uninstallFolder = entry.isDirectory() && isUninstallFolderName(entry.name);
        const bool hotfixLog = !entry.isDirectory() && isHotfixLogName(entry.name);
        if (!uninstallFolder && !hotfixLog) {
            continue;
        }
        const std::string full = windowsDir + entry.name;
        // Attributes set through a link may reach its target; links go as links either way.
        if (!entry.isLink()) {
            files.setNormalAttributes(full);
        }
        if (uninstallFolder) {
            deletion.deleteItem(full);
        } else if (files.deleteFile(full)) {
            countDeleted(deletion.context(), ": ");
        }
    }
}

} // namespace

WindowsFolder windowsFolderOf(const Shell& shell) {
    const std::string returned = canonicalOrEmpty(shell.windowsDirectory());
    if (returned.empty()) {
        return {};
    }
    const std::string dir = withBackslash(returned);
    return {dir, dir.substr(0, 3)};
}

void cleanTempFolder(Deletion& deletion) {
    if (!beginStage(deletion, StageEntry::First, &CleanSettings::Tempfolder)) {
        return;
    }
    const std::string folder = canonicalOrEmpty(deletion.context().platform.shell.tempPath());
    if (!folder.empty()) {
        cleanWithPathHeadings(deletion, folder, Text::CleanTemporaryFolder);
    }
}

void cleanInternetCache(Deletion& deletion) {
    if (!beginStage(deletion, StageEntry::AfterPump, &CleanSettings::Interfolder)) {
        return;
    }
    const std::string folder = resolveSpecialFolder(deletion, SpecialFolder::InternetCache);
    if (!folder.empty()) {
        cleanWithPathHeadings(deletion, folder, Text::CleanInternetCache);
    }
}

void cleanErrorReports(Deletion& deletion, const WindowsFolder& windows) {
    constexpr StageSetting setting = &CleanSettings::Errorreport;
    if (!stageWanted(deletion, StageEntry::AfterPump, setting) || windows.drive.empty()) {
        return;
    }
    // The system-wide report folder decides whether the stage runs at all.
    const std::string systemReports = windows.drive + "ProgramData\\Microsoft\\Windows\\WER\\";
    if (!enterRootFolder(deletion, systemReports)) {
        return;
    }
    stepStageProgress(deletion);
    addCaptionLine(deletion, setting);
    deletion.cleanFolder(systemReports);

    const std::string userReports =
        underSpecialFolder(deletion, SpecialFolder::LocalAppData, "Microsoft\\Windows\\WER");
    if (!userReports.empty()) {
        cleanIfPresent(deletion, userReports);
    }
}

void cleanThumbnailCache(Deletion& deletion) {
    constexpr StageSetting setting = &CleanSettings::Thumbs;
    if (!beginStage(deletion, StageEntry::AfterPump, setting)) {
        return;
    }
    const std::string folder =
        underSpecialFolder(deletion, SpecialFolder::LocalAppData, "Microsoft\\Windows\\Explorer");
    if (!folder.empty() && enterRootFolder(deletion, folder)) {
        addCaptionLine(deletion, setting);
        deletion.cleanFolder(folder);
    }
}

void cleanHotfixLeftovers(Deletion& deletion, const WindowsFolder& windows) {
    constexpr StageSetting setting = &CleanSettings::Hotfix;
    if (!beginStage(deletion, StageEntry::AfterPump, setting)) {
        return;
    }
    addCaptionLine(deletion, setting);
    if (windows.dir.empty()) {
        return;
    }
    removeHotfixEntries(deletion, windows.dir);
    // AppPatch is left alone: it holds the application-compatibility databases and shims
    // that programs need, not clutter.
    cleanIfPresent(deletion, windows.dir + "SoftwareDistribution\\Download");
}

void cleanWdiFiles(Deletion& deletion, const WindowsFolder& windows) {
    constexpr StageSetting setting = &CleanSettings::WDIfile;
    if (!beginStage(deletion, StageEntry::AfterPump, setting)) {
        return;
    }
    addCaptionLine(deletion, setting);
    if (!windows.dir.empty()) {
        cleanIfPresent(deletion, windows.dir + "System32\\WDI");
    }
}

} // namespace dustbane
