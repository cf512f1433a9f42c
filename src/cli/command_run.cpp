#include "cli/command_run.h"

#include "analysis/preview_file_system.h"
#include "analysis/preview_shell.h"
#include "analysis/quiet_system.h"
#include "analysis/read_only_registry.h"
#include "cli/headless_window.h"
#include "cli/json_report.h"
#include "cli/report_format.h"
#include "cli/run_report.h"
#include "cli/settings_in_force.h"
#include "cli/unattended_prompter.h"
#include "engine/clean_driver.h"
#include "settings/policy.h"
#include "settings/scheduled_clean.h"
#include "settings/settings_store.h"
#include "settings/settings_summary.h"
#include "settings/window_placement.h"
#include "targets/target_catalogue.h"

#include <algorithm>
#include <exception>

namespace dustbane {

namespace {

const char* const noSettingsPreview =
    "No saved settings: this preview shows what the start-up settings would delete.";

// The settings as the window loads them at its start, with the administrator's policies over
// them.
struct StoredSettings {
    CleanSettings settings;
    Policy policy;
};

// No question about a stored Recycle that is off: nobody is there to answer it.
StoredSettings storedSettings(Platform& ports) {
    StoredSettings stored;
    SettingsStore store(ports.registry, ports.system, settingsOf(targetCatalogue()));
    store.loadSettings(stored.settings, nullptr);
    stored.policy = store.policy();
    return stored;
}

bool hasSavedSettings(Platform& ports) {
    return SettingsStore(ports.registry, ports.system, settingsOf(targetCatalogue()))
        .hasSavedSettings();
}

// The window's clean run over the given ports with these settings, without questions; the
// ledger's items go to the tally, and through it to the record. A preview leaves out the
// per-item lines (its own item lines stand in for them) and the log.
void runWith(Platform& ports, const StoredSettings& stored, RunRecord& record, GroupTally& tally,
             CleanDriver::BinStep binStep, bool preview) {
    const std::string installDir = readStartupPlacement(ports.registry, ports.files).installDir;
    LanguageTable language;
    language.load(ports.files, ports.system, installDir);
    CleanSettings settings = stored.settings;
    if (preview) {
        settings.Display = false;
        settings.Logs = false;
    }
    const TargetCatalogue& catalogue = targetCatalogue();
    HeadlessWindow window(record);
    CleanRun run;
    run.ledger.setObserver(&tally);
    RunContext context{ports,          settings, language,   window,
                       window.model(), run,      installDir, &stored.policy};
    const ProtectedFolders folders(ports.shell, ports.files);
    SettingsSummary summary(settings, language, window.model(), folders, settingsOf(catalogue),
                            &stored.policy);
    CleanDriver(context, summary, stagesOf(catalogue)).runUnattended(binStep);
    record.setFailures(run.ledger.totals().stayed);
}

// What a report knows before the run starts.
RunReport startReport(const Platform& ports, const char* command) {
    RunReport report;
    report.command = command;
    report.version = DUSTBANE_VERSION;
    report.computer = ports.system.computerName();
    report.user = ports.system.userName();
    report.started = ports.system.fileTimeNow();
    return report;
}

void printDocument(const RunReport& report, const LineSink& print) {
    const std::string document = reportJson(report);
    for (size_t begin = 0; begin < document.size();) {
        const size_t end = std::min(document.find('\n', begin), document.size());
        print(document.substr(begin, end - begin));
        begin = end + 1;
    }
}

// Runs a /json command so that even an error escaping it prints one document and nothing
// else: the error among its warnings and exit code 3.
int runReporting(Platform& ports, const char* command, const std::function<int()>& work,
                 const LineSink& print) {
    std::string failure;
    const int exitCode =
        runPrintingErrors(work, [&failure](const std::string& line) { failure = line; });
    if (failure.empty()) {
        return exitCode;
    }
    RunReport report = startReport(ports, command);
    report.finished = report.started;
    report.warnings = {failure};
    report.exitCode = exitCode;
    printDocument(report, print);
    return exitCode;
}

// Completes the report once the run is over, and prints it. The warnings are those known
// before the run, the run's warning lines, then the later ones (what the prompter reported).
int printReport(RunReport& report, Platform& ports, const StoredSettings& stored,
                const RunRecord& record, const std::vector<GroupReport>& groups,
                const std::vector<std::string>& laterWarnings, int exitCode,
                const LineSink& print) {
    const auto savedKey = ports.registry.open(RegistryRoot::CurrentUser, settingsKeyPath, false);
    report.settings =
        settingsInForce(stored.settings, settingsOf(targetCatalogue()), savedKey.get(),
                        [&stored](const std::string& name) { return stored.policy.locks(name); });
    report.groups = groups;
    for (const RunRecord::Entry& entry : record.entries()) {
        const auto* line = std::get_if<ResultLine>(&entry);
        if (line && line->image == LineImage::Warning) {
            report.warnings.push_back(line->caption);
        }
    }
    report.warnings.insert(report.warnings.end(), laterWarnings.begin(), laterWarnings.end());
    report.exitCode = exitCode;
    report.finished = ports.system.fileTimeNow();
    printDocument(report, print);
    return exitCode;
}

int preview(Platform& ports, bool json, const LineSink& print) {
    RunReport report = startReport(ports, "preview");
    if (!hasSavedSettings(ports)) {
        report.warnings.push_back(noSettingsPreview);
    }
    RunRecord record;
    GroupTally tally(record);
    PreviewFileSystem files(ports.files);
    PreviewShell shell(ports.shell, files);
    ReadOnlyRegistry registry(ports.registry);
    QuietSystem system(ports.system);
    UnattendedPrompter prompter;
    Platform previewPorts{files, registry, shell, system, prompter, ports.scheduler};
    const StoredSettings stored = storedSettings(previewPorts);
    runWith(previewPorts, stored, record, tally, CleanDriver::BinStep::Keep, true);
    const int exitCode = record.failures() > 0 ? exit_code::itemsStayed : exit_code::success;
    if (json) {
        return printReport(report, previewPorts, stored, record, tally.groups(), {}, exitCode,
                           print);
    }

    for (const std::string& warning : report.warnings) {
        print(warning);
    }
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
    return exitCode;
}

// A /clean that does not run: why, as lines or as the report's warnings, and exit code 2.
int refuseClean(RunReport& report, Platform& ports, const std::vector<std::string>& why, bool json,
                const LineSink& print) {
    if (json) {
        return printReport(report, ports, storedSettings(ports), RunRecord(), {}, why,
                           exit_code::usageError, print);
    }
    for (const std::string& line : why) {
        print(line);
    }
    return exit_code::usageError;
}

int clean(Platform& ports, bool emptyBins, bool json, const LineSink& print) {
    RunReport report = startReport(ports, "clean");
    if (!readPolicy(ports.registry, settingsOf(targetCatalogue())).cleanAllowed) {
        return refuseClean(
            report, ports,
            {"Your administrator does not allow /clean on this computer, so it changed nothing."},
            json, print);
    }
    // The start-up settings scan all of drive C: nobody chose that for an unattended run.
    if (!hasSavedSettings(ports)) {
        return refuseClean(report, ports,
                           {"Dustbane has no saved settings, so /clean changed nothing.",
                            "Open Dustbane, choose what to clean in its options and press OK; "
                            "/clean then runs with those settings."},
                           json, print);
    }
    RunRecord record;
    GroupTally tally(record);
    UnattendedPrompter prompter;
    Platform cleanPorts{ports.files,  ports.registry, ports.shell,
                        ports.system, prompter,       ports.scheduler};
    const StoredSettings stored = storedSettings(cleanPorts);
    runWith(cleanPorts, stored, record, tally,
            emptyBins ? CleanDriver::BinStep::Empty : CleanDriver::BinStep::Keep, false);
    const int exitCode =
        record.failures() > 0 || prompter.errors > 0 ? exit_code::itemsStayed : exit_code::success;
    if (json) {
        return printReport(report, cleanPorts, stored, record, tally.groups(), prompter.reports,
                           exitCode, print);
    }

    for (const RunRecord::Entry& entry : record.entries()) {
        if (const auto* line = std::get_if<ResultLine>(&entry)) {
            print(line->caption);
        }
    }
    for (const std::string& text : prompter.reports) {
        print(text);
    }
    print(cleanTotalLine(record.totals()));
    return exitCode;
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
        if (command.json) {
            return runReporting(
                ports, "preview", [&] { return preview(ports, true, print); }, print);
        }
        return preview(ports, false, print);
    case CommandMode::Clean:
        if (command.json) {
            return runReporting(
                ports, "clean", [&] { return clean(ports, command.emptyBins, true, print); },
                print);
        }
        return clean(ports, command.emptyBins, false, print);
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
