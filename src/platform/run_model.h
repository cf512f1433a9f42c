#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace dustbane {

// Images of the main list, by index.
enum class LineImage { Information = 0, Note = 1, FolderRemoved = 2, FileRemoved = 3, Warning = 4 };

enum class CleanPicture { Clean, Analyze, Stop };

struct ListLine {
    std::string caption;
    LineImage image = LineImage::Note;
    bool operator==(const ListLine&) const = default;
};

// The face of a button that starts a run (Clean, Analyze). The caption is the full one; a
// window showing icons only leaves it off.
struct CleanFace {
    std::string caption;
    CleanPicture picture = CleanPicture::Clean;
    std::string hint;
    bool operator==(const CleanFace&) const = default;
};

// Told of every change to the model, as it happens.
class RunModelObserver {
  public:
    virtual ~RunModelObserver() = default;
    virtual void modelChanged() = 0;
    // A line went onto the end of the list; modelChanged follows as for any change.
    virtual void lineAdded(const ListLine&) {}
};

// What the main window shows of the settings summary and of a clean run: the list's lines
// and header, the three status texts, the progress position, whether a run is active, the
// Clean and Analyze buttons' faces, the deleted count and the elapsed seconds. The summary
// and the clean engine write it, the tests and the log read it, and the window draws what
// changed since it last drew.
class RunModel {
  public:
    static constexpr int progressMaximum = 500;

    void setObserver(RunModelObserver* observer) { observer_ = observer; }

    const std::vector<ListLine>& lines() const { return lines_; }
    // Grows by every change to the lines other than an addition at the end: a drawer that
    // has drawn this revision need only add the lines after those it has drawn.
    uint64_t linesRevision() const { return linesRevision_; }
    void clearLines();
    // Puts these lines in place of all, as one change; the observer hears of no added line.
    void replaceLines(std::vector<ListLine> lines);
    void addLine(std::string caption, LineImage image);
    void setLineCaption(size_t index, std::string caption);
    void removeLine(size_t index);

    const std::string& header() const { return header_; }
    void setHeader(std::string text);
    // Whether the list offers its context menu.
    bool listMenuEnabled() const { return listMenuEnabled_; }
    void setListMenuEnabled(bool enabled);

    // Status panels 0 (activity), 1 (deleted count), 2 (elapsed time).
    const std::string& statusText(int panel) const { return status_.at(size_t(panel)); }
    void setStatusText(int panel, std::string text);

    // The progress bar shows exactly while a run is active.
    bool active() const { return active_; }
    void setActive(bool active);
    int progressPosition() const { return progressPosition_; }
    void setProgressPosition(int position);

    const CleanFace& cleanFace() const { return face_; }
    void setCleanFace(CleanFace face);
    const CleanFace& analyzeFace() const { return analyzeFace_; }
    void setAnalyzeFace(CleanFace face);

    int32_t deletedCount() const { return deletedCount_; }
    void setDeletedCount(int32_t count) { deletedCount_ = count; }
    int32_t elapsedSeconds() const { return elapsedSeconds_; }
    void setElapsedSeconds(int32_t seconds) { elapsedSeconds_ = seconds; }

  private:
    void changed();
    // Sets field and tells the observer, unless it holds value already.
    template <typename Value> void update(Value& field, Value value);

    RunModelObserver* observer_ = nullptr;
    std::vector<ListLine> lines_;
    uint64_t linesRevision_ = 0;
    std::string header_;
    bool listMenuEnabled_ = true;
    std::array<std::string, 3> status_;
    bool active_ = false;
    int progressPosition_ = 0;
    CleanFace face_;
    CleanFace analyzeFace_{{}, CleanPicture::Analyze, {}};
    int32_t deletedCount_ = 0;
    int32_t elapsedSeconds_ = 0;
};

} // namespace dustbane
