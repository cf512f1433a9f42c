#pragma once

#include "platform/window_operations.h"

#include <cstdint>
#include <string>
#include <vector>
#include <windows.h>

namespace dustbane::bench {

// The main window as the engine sees it, without a window: lines are kept, and a pump only
// reads the tick count, as the real window does between its real pumps.
class BenchWindow : public WindowOperations {
  public:
    void setStatusText(int panel, const std::string& text) override { status_[panel] = text; }
    void setProgressVisible(bool visible) override { progressVisible_ = visible; }
    bool progressVisible() const override { return progressVisible_; }
    int progressPosition() const override { return position_; }
    int progressMaximum() const override { return 500; }
    void setProgressPosition(int position) override { position_ = position; }
    void startElapsedClock() override {}
    void stopElapsedClock() override {}
    void setCleanButton(const std::string&, CleanPicture, const std::string&) override {}
    bool iconsOnly() const override { return false; }
    void pumpMessages() override {
        ++pumps;
        const uint64_t now = GetTickCount64();
        if (now - lastPump_ >= 10) {
            lastPump_ = now;
            ++duePumps;
        }
    }
    void clearLines() override { lines.clear(); }
    void addLine(const std::string& caption, LineImage) override { lines.push_back(caption); }
    int lineCount() const override { return static_cast<int>(lines.size()); }
    std::string lineCaption(int index) const override { return lines.at(index); }
    void setLineCaption(int index, const std::string& caption) override {
        lines.at(index) = caption;
    }
    void removeLine(int index) override { lines.erase(lines.begin() + index); }
    void setListHeader(const std::string&) override {}
    void setListMenuEnabled(bool) override {}
    void repaintList() override {}

    std::vector<std::string> lines;
    uint64_t pumps = 0;
    // Pumps at which the real window would have let messages run.
    uint64_t duePumps = 0;

  private:
    std::string status_[3];
    bool progressVisible_ = false;
    int position_ = 0;
    uint64_t lastPump_ = 0;
};

} // namespace dustbane::bench
