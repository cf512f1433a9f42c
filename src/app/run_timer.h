#pragma once

namespace dustbane {

// The commands that start a run through the run timer.
enum class RunCommand { Clean, Analyze };

// Which run a tick of the run timer goes to. Clean and Analyze both arm the one timer; when it
// fires with no run active, the command that armed it last starts its run, and while a run is
// active every tick goes to that run, which asks whether to stop.
class RunTimer {
  public:
    void arm(RunCommand command) { armed_ = command; }
    // The run this tick goes to; a run it starts keeps the ticks until it is no longer active.
    RunCommand fire(bool runActive);
    // The run the last tick went to: the active one while a run is active.
    RunCommand running() const { return running_; }

  private:
    RunCommand armed_ = RunCommand::Clean;
    RunCommand running_ = RunCommand::Clean;
};

} // namespace dustbane
