#pragma once

#include "cli/run_record.h"
#include "platform/window_operations.h"

#include <string>
#include <vector>

namespace dustbane {

// The window operations of a run without a window: the main list's lines are kept (the log
// copies them) and passed on to the record; progress, clock, button and pump do nothing
// visible, and nothing is printed here.
class HeadlessWindow : public WindowOperations {
  public:
    explicit HeadlessWindow(RunRecord& record) : record_(record) {}

    void setStatusText(int, const std::string&) override {}
    void setProgressVisible(bool visible) override { progressVisible_ = visible; }
    bool progressVisible() const override { return progressVisible_; }
    int progressPosition() const override { return progressPosition_; }
    int progressMaximum() const override;
    void setProgressPosition(int position) override { progressPosition_ = position; }
    void startElapsedClock() override {}
    void stopElapsedClock() override {}
    void setCleanButton(const std::string&, CleanPicture, const std::string&) override {}
    bool iconsOnly() const override { return false; }
    // Nothing can click Stop, so there is nothing to let run.
    void pumpMessages() override {}

    void clearLines() override { captions_.clear(); }
    void addLine(const std::string& caption, LineImage image) override;
    int lineCount() const override { return static_cast<int>(captions_.size()); }
    std::string lineCaption(int index) const override { return captions_.at(index); }
    void setLineCaption(int index, const std::string& caption) override;
    void removeLine(int index) override;
    void setListHeader(const std::string&) override {}
    void setListMenuEnabled(bool) override {}
    void repaintList() override {}

  private:
    RunRecord& record_;
    std::vector<std::string> captions_;
    bool progressVisible_ = false;
    int progressPosition_ = 0;
};

} // namespace dustbane
