#pragma once

#include "engine/clean_stages.h"
#include "engine/deletion.h"
#include "settings/settings_summary.h"

#include <string>

namespace dustbane {

// The clean run from confirmation to result, entered through the run timer's tick.
class CleanDriver {
  public:
    // stages are the fixed locations, run first, in order.
    CleanDriver(RunContext& context, SettingsSummary& summary, CleanStages stages);

    // What the end of a run does about the Recycle Bins.
    enum class BinStep {
        Ask,   // offers to empty them when something was deleted and Recycle is set
        Empty, // empties them without asking
        Keep,  // leaves them alone
    };

    // With no run active: confirm, then run the fixed stages and the user's three. With a run
    // active: ask whether to stop it.
    void runTick();

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
    std::string confirmationSummary() const;
    void askToStop();
    void startRun();
    void runStages();
    // Final line, log, sound, Recycle Bin question and the Clean face again.
    void endRun(BinStep binStep);
    void showFace(Text captionEntry, CleanPicture picture, Text hintEntry);

    RunContext& context_;
    SettingsSummary& summary_;
    Deletion deletion_;
    CleanStages stages_;
    bool closing_ = false;
};

} // namespace dustbane
