#include "cli/command_run.h"

#include "analysis/preview_file_system.h"
#include "analysis/preview_shell.h"
#include "analysis/quiet_system.h"
#include "analysis/read_only_registry.h"
#include "cli/headless_window.h"
#include "cli/report_format.h"
#include "cli/unattended_prompter.h"
#include "engine/clean_driver.h"
#include "settings/scheduled_clean.h"
#include "settings/settings_store.h"
#include "settings/settings_summary.h"
#include "settings/window_placement.h"
#include "targets/target_catalogue.h"

#include <exception>

namespace dustbane {

namespace {

// What the window loads at its start, and its clean run over the given ports, without
// questions. A preview leaves out the per-item lines (its own item lines stand in for them)
// and the log.
void runWithStoredSettings(Platform& ports, RunRecord& record, CleanDriver::BinStep binStep,
                           bool preview) {
    const std::string installDir = readStartupPlacement(ports.registry, ports.files).installDir;
    LanguageTable language;
    language.load(ports.files, ports.system, installDir);
    CleanSettings settings;
    // No question about a stored Recycle that is off: nobody is there to answer it.
    const TargetCatalogue& catalogue = targetCatalogue();
    SettingsStore store(ports.registry, ports.system, settingsOf(catalogue));
    store.loadSettings(settings, nullptr);
    if (preview) {
        settings.Display = false;
        settings.Logs = false;
    }
    HeadlessWindow window(record);
    CleanRun run;
    run.ledger.setObserver(&record);
    RunContext context{ports,          settings, language,   window,
                       window.model(), run,      installDir, &store.policy()};
    const ProtectedFolders folders(ports.shell, ports.files);
    SettingsSummary summary(settings, language, window.model(), folders, settingsOf(catalogue),
                            &store.policy());
    CleanDriver(context, summary, stagesOf(catalogue)).runUnattended(binStep);
    record.setFailures(run.ledger.totals().stayed);
}

bool hasSavedSettings(Platform& ports) {
    return SettingsStore(ports.registry, ports.system, settingsOf(targetCatalogue()))
        .hasSavedSettings();
}

int preview(Platform& ports, const LineSink& print) {
    if (!hasSavedSettings(ports)) {
        print("No saved settings: this preview shows what the start-up settings would delete.");
    }
    RunRecord record;
    PreviewFileSystem files(ports.files);
    PreviewShell shell(ports.shell, files);
    ReadOnlyRegistry registry(ports.registry);
    QuietSystem system(ports.system);
    UnattendedPrompter prompter;
    Platform previewPorts{files, registry, shell, system, prompter, ports.scheduler};
    runWithStoredSettings(previewPorts, record, CleanDriver::BinStep::Keep, true);

    // The run's final line and the bytes-freed line after it count deletions that were never
    // made: the total stands for them.
    const auto& entries = record.entries();
    size_t finalLine = entries.size();
    for (size_t found = 0, i = entries.size(); i > 0 && found < 2; --i) {
        if (std::holds_alternative<ResultLine>(entries[i - 1])) {
            finalLine = i - 1;
            ++found;
        }
    }
    for (size_t i = 0; i < entries.size(); ++i) {
        if (const auto* line = std::get_if<ResultLine>(&entries[i])) {
            if (i < finalLine) {
                print(line->caption);
            }
        } else {
            print(itemLine(std::get<DeletedItem>(entries[i])));
        }
    }
    print(previewTotalLine(record.totals()));
    return record.failures() > 0 ? exit_code::itemsStayed : exit_code::success;
}

int clean(Platform& ports, bool emptyBins, const LineSink& print) {
    if (!readPolicy(ports.registry, settingsOf(targetCatalogue())).cleanAllowed) {
        print("Your administrator does not allow /clean on this computer, so it changed nothing.");
        return exit_code::usageError;
    }
    // The start-up settings scan all of drive C: nobody chose that for an unattended run.
    if (!hasSavedSettings(ports)) {
        print("Dustbane has no saved settings, so /clean changed nothing.");
        print("Open Dustbane, choose what to clean in its options and press OK; /clean then "
              "runs with those settings.");
        return exit_code::usageError;
    }
    RunRecord record;
    UnattendedPrompter prompter;
    Platform cleanPorts{ports.files,  ports.registry, ports.shell,
                        ports.system, prompter,       ports.scheduler};
    runWithStoredSettings(cleanPorts, record,
                          emptyBins ? CleanDriver::BinStep::Empty : CleanDriver::BinStep::Keep,
                          false);

    for (const RunRecord::Entry& entry : record.entries()) {
        if (const auto* line = std::get_if<ResultLine>(&entry)) {
            print(line->caption);
        }
    }
    for (const std::string& report : prompter.reports) {
        print(report);
    }
    print(cleanTotalLine(record.totals()));
    return record.failures() > 0 || prompter.errors > 0 ? exit_code::itemsStayed
                                                        : exit_code::success;
}

int unschedule(Platform& ports, const LineSink& print) {
    LanguageTable language;
    // Reading the placement creates the settings key, which an uninstaller may have removed.
    if (ports.registry.keyExists(RegistryRoot::CurrentUser, settingsKeyPath)) {
        language.load(ports.files, ports.system,
                      readStartupPlacement(ports.registry, ports.files).installDir);
    }
    SettingsStore store(ports.registry, ports.system);
    const std::string failure = unscheduleClean(ports.scheduler, store, language);
    if (failure.empty()) {
        return exit_code::success;
    }
    print(failure);
    return exit_code::unexpectedError;
}

void printUsage(const LineSink& print) {
    for (const std::string& line : usageLines()) {
        print(line);
    }
}

} // namespace

int runCommand(const Command& command, Platform& ports, const LineSink& print) {
    switch (command.mode) {
    case CommandMode::Preview:
        return preview(ports, print);
    case CommandMode::Clean:
        return clean(ports, command.emptyBins, print);
    case CommandMode::Unschedule:
        return unschedule(ports, print);
    case CommandMode::Usage:
        printUsage(print);
        return exit_code::success;
    case CommandMode::UsageError:
    case CommandMode::Window:
        break;
    }
    print(command.mode == CommandMode::UsageError ? command.error
                                                  : "The window cannot be opened from here.");
    printUsage(print);
    return exit_code::usageError;
}

int runPrintingErrors(const std::function<int()>& work, const LineSink& print) {
    try {
        return work();
    } catch (const std::exception& error) {
        print(std::string("Dustbane stopped: ") + error.what());
    } catch (...) {
        print("Dustbane stopped on an unexpected error.");
    }
    return exit_code::unexpectedError;
}

} // namespace dustbane
