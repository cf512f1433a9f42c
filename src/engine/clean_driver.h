#pragma once

#include "engine/clean_stages.h"
#include "engine/deletion.h"
#include "settings/settings_summary.h"

#include <string>

namespace dustbane {

// The clean run from confirmation to result, entered through the run timer's tick.
class CleanDriver {
  public:
    // A clean deletes; an analysis runs the same stages over ports that delete on paper, and
    // writes no log, plays no sound and asks nothing at its end.
    enum class Kind { Clean, Analysis };

    // stages are the fixed locations, run first, in order.
    CleanDriver(RunContext& context, SettingsSummary& summary, CleanStages stages,
                Kind kind = Kind::Clean);

    // What the end of a run does about the Recycle Bins.
    enum class BinStep {
        Ask,   // offers to empty them when something was deleted and Recycle is set
        Empty, // empties them without asking
        Keep,  // leaves them alone
    };

    // With no run active: confirm, then run the fixed stages and the user's three; an
    // analysis runs them without a confirmation. With a run active: ask whether to stop it.
    // analysisTotal is named in the confirmation when the list shows an analysis.
    void runTick(const std::optional<std::string>& analysisTotal = std::nullopt);

    // The same run without the confirmation and without questions at its end, for a run
    // started from the command line.
    void runUnattended(BinStep binStep);

    // The elapsed clock's one-second tick.
    void elapsedTick();

    bool active() const;

    // The main window is closing during a run: stop as a confirmed stop would, and ask
    // nothing more, since the program ends with the run.
    void stopForClose();

  private:
    // The lines of the "Clean Confirmation" question, each after a line feed.
    std::string confirmationSummary(const std::optional<std::string>& analysisTotal) const;
    void askToStop();
    void startRun();
    void runStages();
    // Final line, bytes freed, log, sound, Recycle Bin question and the Clean face again.
    void endRun(BinStep binStep);
    // Closing word and the Analyze face again.
    void endAnalysis();
    // The line after the final one: bytes freed for good and to the Recycle Bin, items that
    // stayed.
    std::string freedText() const;
    bool askToEmptyBins(const std::string& count);
    // The face of the button that started the run: Stop while it runs.
    void showFace(bool running);

    RunContext& context_;
    SettingsSummary& summary_;
    Deletion deletion_;
    CleanStages stages_;
    Kind kind_;
    bool closing_ = false;
};

} // namespace dustbane
