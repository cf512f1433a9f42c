#include "analysis/analysis_run.h"

#include <utility>

namespace dustbane {

AnalysisRun::AnalysisRun(Platform& real, CleanSettings& settings, const LanguageTable& language,
                         WindowOperations& window, RunModel& model, SettingsSummary& summary,
                         CleanStages stages, std::string installDir, const Policy* policy)
    : real_(real), files_(real.files, PreviewFileSystem::HeldFiles::Assumed),
      shell_(real.shell, files_), registry_(real.registry),
      system_(real.system), ports_{files_,  registry_,     shell_,
                                   system_, real.prompter, real.scheduler},
      language_(analysisLanguage(language)),
      context_{ports_, settings, language_, window, model, run_, std::move(installDir), policy},
      driver_(context_, summary, std::move(stages), CleanDriver::Kind::Analysis),
      view_(model, language) {
    run_.ledger.setObserver(&groups_);
}

LanguageTable AnalysisRun::analysisLanguage(const LanguageTable& language) {
    LanguageTable analysis = language;
    analysis.setText(Text::Cleaning, language.text(Text::Analyzing));
    analysis.setText(Text::Deleted, language.text(Text::Found));
    return analysis;
}

void AnalysisRun::runTick() {
    if (context_.model.active()) {
        driver_.runTick();
        return;
    }
    // Each analysis starts from the disk as it is now.
    files_.forgetPaperDeletions();
    groups_.clear();
    driver_.runTick();
    std::vector<ListLine> warnings;
    for (const ListLine& line : context_.model.lines()) {
        if (line.image == LineImage::Warning) {
            warnings.push_back(line);
        }
    }
    view_.show(groups_.ordered(), std::move(warnings), run_.ledger.totals(),
               real_.system.numberFormat());
}

} // namespace dustbane
