#pragma once

#include <string>

namespace dustbane {

// Images of the main list, by index.
enum class LineImage { Information = 0, Note = 1, FolderRemoved = 2, FileRemoved = 3, Warning = 4 };

enum class CleanPicture { Clean, Stop };

// What the main window offers to the settings summary and the clean engine. The main window
// implements it; the native tests use a recording fake.
class WindowOperations {
  public:
    virtual ~WindowOperations() = default;

    // Status panels 0 (activity), 1 (deleted count), 2 (elapsed time).
    virtual void setStatusText(int panel, const std::string& text) = 0;

    // The progress bar: visible exactly while a run is active.
    virtual void setProgressVisible(bool visible) = 0;
    virtual bool progressVisible() const = 0;
    virtual int progressPosition() const = 0;
    virtual int progressMaximum() const = 0;
    virtual void setProgressPosition(int position) = 0;

    virtual void startElapsedClock() = 0;
    virtual void stopElapsedClock() = 0;

    // The Clean button's face.
    virtual void setCleanButton(const std::string& caption, CleanPicture picture,
                                const std::string& hint) = 0;
    virtual bool iconsOnly() const = 0;

    // Lets pending window messages run. Called at every directory entry; the window
    // decides how often a real pump happens.
    virtual void pumpMessages() = 0;

    // The main list.
    virtual void clearLines() = 0;
    virtual void addLine(const std::string& caption, LineImage image) = 0;
    virtual int lineCount() const = 0;
    virtual std::string lineCaption(int index) const = 0;
    virtual void setLineCaption(int index, const std::string& caption) = 0;
    virtual void removeLine(int index) = 0;
    virtual void setListHeader(const std::string& text) = 0;
    virtual void setListMenuEnabled(bool enabled) = 0;
    // Shows newly added lines at once (the window may coalesce repaints).
    virtual void repaintList() = 0;
};

} // namespace dustbane
