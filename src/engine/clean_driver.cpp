#include "engine/clean_driver.h"

#include "engine/run_status.h"
#include "engine/search_scan.h"
#include "engine/specific_items.h"
#include "settings/clean_log.h"
#include "text/elapsed_text.h"
#include "text/fill_in.h"
#include "text/size_text.h"

#include <utility>
#include <vector>

namespace dustbane {

namespace {

constexpr int elapsedStep = 10;

std::string labelled(const LanguageTable& language, Text label, const std::string& value) {
    return "\n" + language.text(label) + ": " + value;
}

// The run's start less the age limit; nullopt while the limit is off.
std::optional<FileTime> ageLimitStart(const RunContext& context) {
    if (!context.settings.Agelimit) {
        return std::nullopt;
    }
    const FileTime now = context.platform.system.fileTimeNow();
    const FileTime span = static_cast<FileTime>(context.settings.Agehours) * fileTimeTicksPerHour;
    return now > span ? now - span : 0;
}

} // namespace

CleanDriver::CleanDriver(RunContext& context, SettingsSummary& summary, CleanStages stages,
                         Kind kind)
    : context_(context), summary_(summary), deletion_(context), stages_(std::move(stages)),
      kind_(kind) {}

void CleanDriver::runTick(const std::optional<std::string>& analysisTotal) {
    if (active()) {
        askToStop();
        return;
    }
    context_.run.recycleAllowed = false;
    if (kind_ == Kind::Analysis) {
        startRun();
        runStages();
        endAnalysis();
        return;
    }
    if (context_.settings.Displaybox) {
        const LanguageTable& language = context_.language;
        const std::string text = language.text(Text::CleanDefinitionsAre) + ": \n" +
                                 confirmationSummary(analysisTotal) + "\n\n" +
                                 language.text(Text::MakeSureOfDefinitions);
        if (context_.platform.prompter.ask(text, "Clean Confirmation", style::question) !=
            answer::yes) {
            return;
        }
    }
    startRun();
    runStages();
    endRun(BinStep::Ask);
}

void CleanDriver::runUnattended(BinStep binStep) {
    context_.run.recycleAllowed = false;
    startRun();
    runStages();
    endRun(binStep);
}

void CleanDriver::elapsedTick() {
    RunModel& model = context_.model;
    model.setElapsedSeconds(model.elapsedSeconds() + 1);
    if (!context_.run.listEachItem) {
        advanceProgress(model, elapsedStep);
    }
    model.setStatusText(2, elapsedText(context_.language.text(Text::Past), model.elapsedSeconds()));
}

bool CleanDriver::active() const {
    return context_.model.active();
}

void CleanDriver::stopForClose() {
    context_.run.stopRequested = true;
    closing_ = true;
}

std::string
CleanDriver::confirmationSummary(const std::optional<std::string>& analysisTotal) const {
    const LanguageTable& language = context_.language;
    const CleanSettings& settings = context_.settings;
    std::string summary;
    if (analysisTotal) {
        summary += "\n" + *analysisTotal;
    }
    if (!settings.Recycle) {
        summary += "\n" + language.text(Text::DeletePermanently);
    }
    if (const std::string ageLimit = ageLimitText(settings, language); !ageLimit.empty()) {
        summary += "\n" + ageLimit;
    }
    if (!summary_.fileTypesText().empty()) {
        summary += labelled(language, Text::ConfirmFileTypes, summary_.fileTypesText());
    }
    if (!summary_.fileNamesText().empty()) {
        summary += labelled(language, Text::ConfirmFileNames, summary_.fileNamesText());
    }
    bool anySearchPath = false;
    for (const CheckedPath& path : settings.PathList) {
        if (path.checked) {
            summary += labelled(language, Text::SearchPath, path.text);
            anySearchPath = true;
        }
    }
    if (!anySearchPath) {
        summary += labelled(language, Text::SearchPath, language.text(Text::None));
    }
    if (summary_.searchSkipsFolders()) {
        summary += "\n" + language.text(Text::FoldersNotSearched);
    }
    for (const CheckedPath& folder : settings.FolderList) {
        if (folder.checked) {
            summary += labelled(language, Text::DeleteFolders, folder.text);
        }
    }
    return summary;
}

void CleanDriver::askToStop() {
    WindowOperations& window = context_.window;
    window.stopElapsedClock();
    const Text question =
        kind_ == Kind::Analysis ? Text::StopAnalysisQuestion : Text::StopCleanQuestion;
    const int reply = context_.platform.prompter.ask(context_.language.text(question),
                                                     "Stop Confirmation", style::question);
    window.startElapsedClock();
    if (reply == answer::yes) {
        context_.run.stopRequested = true;
    }
}

void CleanDriver::startRun() {
    // The system's folders are read afresh for every run.
    deletion_.forgetProtectedFolders();
    RunModel& model = context_.model;
    CleanRun& run = context_.run;
    summary_.setShown(false);
    model.clearLines();
    model.setListMenuEnabled(false);
    model.setHeader(context_.language.text(kind_ == Kind::Analysis ? Text::AnalysisResults
                                                                   : Text::CleanResults) +
                    ":");
    model.setDeletedCount(0);
    model.setStatusText(1, "");
    model.setElapsedSeconds(0);
    model.setProgressPosition(0);
    model.setActive(true);
    context_.window.startElapsedClock();
    run.stopRequested = false;
    run.listEachItem = false;
    run.keepFrom = ageLimitStart(context_);
    run.ledger.clear();
    showFace(true);
}

void CleanDriver::runStages() {
    WindowOperations& window = context_.window;
    CleanRun& run = context_.run;
    // Once per run, so that the log of every run says which policy values were passed over.
    if (context_.policy) {
        for (const std::string& value : context_.policy->ignoredValues) {
            deletion_.addResultLine(context_.platform.system.longTimeNow() + " " +
                                        context_.language.text(Text::PolicyValueIgnored) + " " +
                                        value,
                                    LineImage::Warning);
        }
    }
    for (const CleanStage& stage : stages_) {
        stage(deletion_);
    }

    window.pumpMessages();
    run.listEachItem = true;
    run.recycleAllowed = true;
    if (!run.stopRequested) {
        cleanSpecificFolders(deletion_);
    }
    window.pumpMessages();
    if (!run.stopRequested) {
        cleanSpecificFiles(deletion_);
    }
    window.pumpMessages();
    if (!run.stopRequested && !context_.settings.PathList.empty()) {
        cleanSearchPaths(deletion_);
    }
    run.listEachItem = false;
}

void CleanDriver::endRun(BinStep binStep) {
    RunModel& model = context_.model;
    const LanguageTable& language = context_.language;
    const CleanRun& run = context_.run;
    const Platform& platform = context_.platform;
    const std::string count = std::to_string(model.deletedCount());

    deletion_.addResultLine(
        platform.system.longTimeNow() + " " +
            language.text(run.stopRequested ? Text::UserStopped : Text::CleanFinished) + " " +
            count + " " + language.text(Text::ItemsCleaned),
        LineImage::Note);
    const std::string freed = freedText();
    deletion_.addResultLine(freed, LineImage::Note);
    model.setStatusText(
        0, " " + language.text(run.stopRequested ? Text::CleanStopped : Text::CleanedOver) + " " +
               freed);

    CleanLog log(platform.files, platform.system, logLocation(platform.shell, context_.installDir));
    std::string logFailure;
    if (context_.settings.Logs) {
        std::vector<std::string> lines;
        for (const ListLine& line : model.lines()) {
            lines.push_back(line.caption);
        }
        logFailure = log.appendRunBlock(lines, context_.settings.Logday);
    }

    platform.system.playEndSound();
    model.setActive(false);
    context_.window.stopElapsedClock();

    if (closing_ && binStep == BinStep::Ask) {
        binStep = BinStep::Keep;
    }
    const bool emptyBins =
        binStep == BinStep::Empty || (binStep == BinStep::Ask && model.deletedCount() > 0 &&
                                      context_.settings.Recycle && askToEmptyBins(count));
    if (emptyBins) {
        platform.system.setBusyCursor(true);
        if (platform.shell.emptyRecycleBins() && context_.settings.Logs) {
            std::string recordFailure = log.appendRecycleRecord(
                platform.system.longTimeNow() + " " + language.text(Text::RecycleBinsEmptied));
            if (logFailure.empty()) {
                logFailure = std::move(recordFailure);
            }
        }
        platform.system.setBusyCursor(false);
    }

    showFace(false);
    if (!logFailure.empty()) {
        platform.prompter.reportError(logFailure);
    }
}

void CleanDriver::endAnalysis() {
    RunModel& model = context_.model;
    model.setStatusText(0, " " + context_.language.text(context_.run.stopRequested
                                                            ? Text::AnalysisStopped
                                                            : Text::AnalysisFinished));
    model.setActive(false);
    context_.window.stopElapsedClock();
    showFace(false);
}

std::string CleanDriver::freedText() const {
    const LedgerTotals& totals = context_.run.ledger.totals();
    const NumberFormat format = context_.platform.system.numberFormat();
    return fillIn(context_.language.text(Text::Freed),
                  {sizeText(totals.permanentBytes, format), sizeText(totals.recycledBytes, format),
                   countText(totals.stayed, format)});
}

bool CleanDriver::askToEmptyBins(const std::string& count) {
    const Platform& platform = context_.platform;
    const LanguageTable& language = context_.language;
    std::string question = count + " " + language.text(Text::ItemsDeleted) + "\n";
    if (const std::optional<uint64_t> held = platform.shell.recycleBinBytes()) {
        question += fillIn(language.text(Text::RecycleBinsHold),
                           {sizeText(*held, platform.system.numberFormat())}) +
                    "\n";
    }
    question += language.text(Text::EmptyRecycleBinsNow);
    return platform.prompter.ask(question, "Clear Confirmation", style::questionNoDefault) ==
           answer::yes;
}

void CleanDriver::showFace(bool running) {
    const LanguageTable& language = context_.language;
    if (kind_ == Kind::Analysis) {
        context_.model.setAnalyzeFace(
            running ? CleanFace{language.text(Text::StopCaption), CleanPicture::Stop,
                                language.text(Text::StopAnalysisHint)}
                    : CleanFace{language.text(Text::AnalyzeCaption), CleanPicture::Analyze,
                                language.text(Text::AnalyzeHint)});
        return;
    }
    context_.model.setCleanFace(
        running ? CleanFace{language.text(Text::StopCaption), CleanPicture::Stop,
                            language.text(Text::StopHint)}
                : CleanFace{language.text(Text::CleanCaption), CleanPicture::Clean,
                            language.text(Text::CleanHint)});
}

} // namespace dustbane
