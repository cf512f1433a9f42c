#pragma once

#include "analysis/analysis_groups.h"
#include "analysis/analysis_view.h"
#include "analysis/preview_file_system.h"
#include "analysis/preview_shell.h"
#include "analysis/quiet_system.h"
#include "analysis/read_only_registry.h"
#include "engine/clean_driver.h"

#include <optional>
#include <string>

namespace dustbane {

// The Analyze command: every stage of a clean with the settings of the moment, over ports
// that delete on paper and write nothing, so that no file, attribute, registry value, log or
// sound changes. What the run's ledger counts is then shown in the list by group. Files are
// not opened to see whether another program holds them: a held file shows as going, and the
// clean that meets it counts it among the items that stayed.
class AnalysisRun {
  public:
    // The questions (stop) go to the real prompter; everything else is read through the
    // preview ports.
    AnalysisRun(Platform& real, CleanSettings& settings, const LanguageTable& language,
                WindowOperations& window, RunModel& model, SettingsSummary& summary,
                CleanStages stages, std::string installDir, const Policy* policy);
    AnalysisRun(const AnalysisRun&) = delete;
    AnalysisRun& operator=(const AnalysisRun&) = delete;

    // With no run active, analyzes and shows what it found; with one, asks whether to stop.
    void runTick();
    void elapsedTick() { driver_.elapsedTick(); }
    void stopForClose() { driver_.stopForClose(); }

    // Double click or Enter on a line of the analysis: a group opens or closes.
    bool toggleLine(size_t line) { return view_.toggle(line); }
    // The analysis's total while the list still shows it.
    std::optional<std::string> shownTotal() const { return view_.shownTotal(); }

  private:
    static LanguageTable analysisLanguage(const LanguageTable& language);

    Platform& real_;
    PreviewFileSystem files_;
    PreviewShell shell_;
    ReadOnlyRegistry registry_;
    QuietSystem system_;
    Platform ports_;
    LanguageTable language_;
    CleanRun run_;
    RunContext context_;
    CleanDriver driver_;
    AnalysisGroups groups_;
    AnalysisView view_;
};

} // namespace dustbane
