#include "targets/target_catalogue.h"

#include "targets/application_caches.h"
#include "targets/target_run.h"

namespace dustbane {

namespace {

TargetSetting windowsBox(bool CleanSettings::*field, int row, const char* hint = nullptr) {
    return {builtInFlag(field), TargetGroup::Windows, row, hint};
}

TargetSetting applicationBox(bool CleanSettings::*field, int row) {
    return {builtInFlag(field), TargetGroup::Applications, row};
}

TargetFolder belowLocalAppData(const char* relative) {
    return {.base = FolderBase::KnownFolder, .relative = relative};
}

TargetCatalogue makeCatalogue() {
    const char* const firefoxProfiles = "Mozilla\\Firefox\\Profiles";
    return {
        {
            .setting = windowsBox(&CleanSettings::Tempfolder, 0),
            .entry = StageEntry::First,
            .heading = Heading::BeganAndFinished,
            .folders = {{.base = FolderBase::TempFolder}},
            .title = Text::CleanTemporaryFolder,
        },
        {
            .setting = windowsBox(&CleanSettings::Interfolder, 1),
            .entry = StageEntry::AfterPump,
            .heading = Heading::BeganAndFinished,
            .folders = {{.base = FolderBase::KnownFolder,
                         .knownFolder = SpecialFolder::InternetCache}},
            .title = Text::CleanInternetCache,
        },
        {
            .setting = windowsBox(&CleanSettings::Errorreport, 2),
            .entry = StageEntry::AfterPump,
            // The system-wide report folder decides whether the stage runs at all.
            .heading = Heading::StepWhenFound,
            .folders = {{.base = FolderBase::WindowsDrive,
                         .relative = "ProgramData\\Microsoft\\Windows\\WER\\",
                         .required = true},
                        belowLocalAppData("Microsoft\\Windows\\WER")},
        },
        {
            .setting = windowsBox(&CleanSettings::Thumbs, 5),
            .entry = StageEntry::AfterPump,
            .heading = Heading::WhenFound,
            .folders = {belowLocalAppData("Microsoft\\Windows\\Explorer")},
        },
        {
            .setting = applicationBox(&CleanSettings::Firefox, 0),
            .entry = StageEntry::AfterPump,
            .heading = Heading::WhenFound,
            // Every profile's cache; without local profiles the roaming ones are not visited.
            .folders = {{.base = FolderBase::KnownFolder,
                         .relative = firefoxProfiles,
                         .removal = Removal::NamedSubfolders,
                         .subfolderName = "Cache",
                         .required = true},
                        {.base = FolderBase::KnownFolder,
                         .relative = firefoxProfiles,
                         .knownFolder = SpecialFolder::RoamingAppData,
                         .removal = Removal::NamedSubfolders,
                         .subfolderName = "Cache"}},
        },
        {
            .setting = windowsBox(&CleanSettings::Hotfix, 3),
            .entry = StageEntry::AfterPump,
            .heading = Heading::AtStart,
            // AppPatch is left alone: it holds the application-compatibility databases and
            // shims that programs need, not clutter.
            .folders = {{.base = FolderBase::WindowsFolder,
                         .removal = Removal::NamePatterns,
                         .patterns = {{"$NtUninstall", "", true}, {"KB", ".log", false}}},
                        {.base = FolderBase::WindowsFolder,
                         .relative = "SoftwareDistribution\\Download"}},
        },
        {
            .setting = windowsBox(&CleanSettings::WDIfile, 4,
                                  "Files created by Windows Diagnostics Infrastructure "),
            .entry = StageEntry::AfterPump,
            .heading = Heading::AtStart,
            .folders = {{.base = FolderBase::WindowsFolder, .relative = "System32\\WDI"}},
        },
        {
            .setting = applicationBox(&CleanSettings::Acdsee, 2),
            .entry = StageEntry::AfterPump,
            .heading = Heading::WhenFound,
            .folders = {},
            .special = cleanAcdseeDatabases,
        },
        {
            .setting = applicationBox(&CleanSettings::GoogleEarth, 1),
            .entry = StageEntry::WithoutPump,
            .heading = Heading::WhenFound,
            .folders = {},
            .special = cleanGoogleEarthCache,
        },
        {
            .setting = applicationBox(&CleanSettings::Acrobatreader, 3),
            .entry = StageEntry::AfterPump,
            .heading = Heading::WhenFound,
            .folders = {belowLocalAppData("Adobe\\Acrobat\\8.0\\Cache\\Search80")},
        },
    };
}

} // namespace

const TargetCatalogue& targetCatalogue() {
    static const TargetCatalogue catalogue = makeCatalogue();
    return catalogue;
}

CleanStages stagesOf(const TargetCatalogue& catalogue) {
    CleanStages stages;
    for (const CleanTarget& target : catalogue) {
        stages.push_back([target](Deletion& deletion) { runTarget(deletion, target); });
    }
    return stages;
}

TargetSettings settingsOf(const TargetCatalogue& catalogue) {
    TargetSettings settings;
    for (const CleanTarget& target : catalogue) {
        settings.push_back(target.setting);
    }
    return settings;
}

} // namespace dustbane
