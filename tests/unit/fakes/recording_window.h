#pragma once

#include "platform/run_model.h"
#include "platform/window_operations.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace dustbane::testing {

// The main window as the logic sees it: the model it draws, and what it is asked besides.
// The fields the tests read follow the model as it changes.
class RecordingWindow : public WindowOperations, private RunModelObserver {
  public:
    using Line = ListLine;

    RecordingWindow() {
        model.setObserver(this);
        model.setCleanFace({"Clean", CleanPicture::Clean, "Begin clean"});
    }
    RecordingWindow(const RecordingWindow&) = delete;
    RecordingWindow& operator=(const RecordingWindow&) = delete;

    void startElapsedClock() override { clockRunning = true; }
    void stopElapsedClock() override { clockRunning = false; }
    void pumpMessages() override {
        ++pumps;
        if (onPump) {
            onPump();
        }
    }
    void showChanges() override { ++repaints; }

    // Puts these lines in the model in place of what it shows.
    void showLines(const std::vector<Line>& shown) {
        model.clearLines();
        for (const Line& line : shown) {
            model.addLine(line.caption, line.image);
        }
    }

    std::vector<std::string> captions() const {
        std::vector<std::string> result;
        for (const auto& line : lines) {
            result.push_back(line.caption);
        }
        return result;
    }

    RunModel model;
    std::vector<std::string> status{"", "", ""};
    bool progressShown = false;
    int position = 0;
    // Every position the bar was given, in order.
    std::vector<int> positions;
    bool clockRunning = false;
    std::string buttonCaption = "Clean";
    CleanPicture buttonPicture = CleanPicture::Clean;
    std::string buttonHint = "Begin clean";
    // Drawn as the window draws it: no caption on the Clean button.
    bool iconsOnlyMode = false;
    int pumps = 0;
    // Runs at every pump: a test's way to click Stop at a chosen moment.
    std::function<void()> onPump;
    std::vector<Line> lines;
    std::string header;
    bool listMenuEnabled = true;
    int repaints = 0;

  private:
    void modelChanged() override {
        // Only the added lines are copied while the lines merely grow, as the window draws them.
        if (model.linesRevision() != linesRevision_ || model.lines().size() < lines.size()) {
            linesRevision_ = model.linesRevision();
            lines = model.lines();
        } else {
            lines.insert(lines.end(), model.lines().begin() + std::ptrdiff_t(lines.size()),
                         model.lines().end());
        }
        for (int panel = 0; panel < 3; ++panel) {
            status[size_t(panel)] = model.statusText(panel);
        }
        progressShown = model.active();
        if (model.progressPosition() != position) {
            position = model.progressPosition();
            positions.push_back(position);
        }
        buttonCaption = iconsOnlyMode ? std::string() : model.cleanFace().caption;
        buttonPicture = model.cleanFace().picture;
        buttonHint = model.cleanFace().hint;
        header = model.header();
        listMenuEnabled = model.listMenuEnabled();
    }

    uint64_t linesRevision_ = 0;
};

} // namespace dustbane::testing
