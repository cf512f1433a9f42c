#pragma once

#include "platform/window_operations.h"

#include <functional>
#include <string>
#include <vector>

namespace dustbane::testing {

// The main window as the logic sees it, recording what it is told.
class RecordingWindow : public WindowOperations {
  public:
    struct Line {
        std::string caption;
        LineImage image;
        bool operator==(const Line&) const = default;
    };

    void setStatusText(int panel, const std::string& text) override { status.at(panel) = text; }
    void setProgressVisible(bool visible) override { progressShown = visible; }
    bool progressVisible() const override { return progressShown; }
    int progressPosition() const override { return position; }
    int progressMaximum() const override { return 500; }
    void setProgressPosition(int value) override {
        position = value;
        positions.push_back(value);
    }
    void startElapsedClock() override { clockRunning = true; }
    void stopElapsedClock() override { clockRunning = false; }
    void setCleanButton(const std::string& caption, CleanPicture picture,
                        const std::string& hint) override {
        buttonCaption = caption;
        buttonPicture = picture;
        buttonHint = hint;
    }
    bool iconsOnly() const override { return iconsOnlyMode; }
    void pumpMessages() override {
        ++pumps;
        if (onPump) {
            onPump();
        }
    }
    void clearLines() override { lines.clear(); }
    void addLine(const std::string& caption, LineImage image) override {
        lines.push_back({caption, image});
    }
    int lineCount() const override { return static_cast<int>(lines.size()); }
    std::string lineCaption(int index) const override { return lines.at(index).caption; }
    void setLineCaption(int index, const std::string& caption) override {
        lines.at(index).caption = caption;
    }
    void removeLine(int index) override { lines.erase(lines.begin() + index); }
    void setListHeader(const std::string& text) override { header = text; }
    void setListMenuEnabled(bool enabled) override { listMenuEnabled = enabled; }
    void repaintList() override { ++repaints; }

    std::vector<std::string> captions() const {
        std::vector<std::string> result;
        for (const auto& line : lines) {
            result.push_back(line.caption);
        }
        return result;
    }

    std::vector<std::string> status{"", "", ""};
    bool progressShown = false;
    int position = 0;
    // Every position the bar was given, in order.
    std::vector<int> positions;
    bool clockRunning = false;
    std::string buttonCaption = "Clean";
    CleanPicture buttonPicture = CleanPicture::Clean;
    std::string buttonHint = "Begin clean";
    bool iconsOnlyMode = false;
    int pumps = 0;
    // Runs at every pump: a test's way to click Stop at a chosen moment.
    std::function<void()> onPump;
    std::vector<Line> lines;
    std::string header;
    bool listMenuEnabled = true;
    int repaints = 0;
};

} // namespace dustbane::testing
