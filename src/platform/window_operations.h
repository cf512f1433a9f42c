#pragma once

#include "platform/run_model.h"

namespace dustbane {

// What the summary and the clean engine ask of the main window beyond drawing the run model:
// the elapsed clock and a chance for pending messages to run. The main window implements it;
// the native tests use a recording fake.
class WindowOperations {
  public:
    virtual ~WindowOperations() = default;

    virtual void startElapsedClock() = 0;
    virtual void stopElapsedClock() = 0;

    // Lets pending window messages run. Called at every directory entry; the window
    // decides how often a real pump happens.
    virtual void pumpMessages() = 0;
    // Shows what changed in the model at once (the window may coalesce repaints).
    virtual void showChanges() = 0;
};

} // namespace dustbane
