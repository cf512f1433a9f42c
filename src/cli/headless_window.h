#pragma once

#include "analysis/run_record.h"
#include "platform/run_model.h"
#include "platform/window_operations.h"

namespace dustbane {

// A run without a window: every line the run model gains is passed on to the record, in the
// order it came; clock and pump do nothing, and nothing is printed here.
class HeadlessWindow : public WindowOperations, private RunModelObserver {
  public:
    explicit HeadlessWindow(RunRecord& record) : record_(record) { model_.setObserver(this); }
    HeadlessWindow(const HeadlessWindow&) = delete;
    HeadlessWindow& operator=(const HeadlessWindow&) = delete;

    RunModel& model() { return model_; }

    void startElapsedClock() override {}
    void stopElapsedClock() override {}
    // Nothing can click Stop, so there is nothing to let run.
    void pumpMessages() override {}
    void showChanges() override {}

  private:
    void modelChanged() override {}
    void lineAdded(const ListLine& line) override { record_.addLine(line.caption, line.image); }

    RunRecord& record_;
    RunModel model_;
};

} // namespace dustbane
