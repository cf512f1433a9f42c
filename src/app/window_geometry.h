#pragma once

#include "settings/window_placement.h"

#include <array>
#include <cstdint>
#include <optional>

namespace dustbane {

// The designed outer size at the density, centred in the work area, never reaching above
// or left of it.
WindowBounds centredBounds(const WindowBounds& workArea, int dpi);

// The smallest outer size the user can drag the window to, at the density.
WindowBounds minimumWindowSize(int dpi);

// The stored bounds that exist over the system's default placement. Stored bounds are screen
// pixels and stay as they are; only a size below the smallest window the user can drag to is
// raised to it, so that the window can be found and grabbed again.
WindowBounds storedBounds(const StartupPlacement& placement, const WindowBounds& systemDefault,
                          int dpi);

// Right edges of the status bar's three panels for a bar of the given width; panel 0 takes
// what panels 1 and 2 leave (the last panel reaches the end, -1).
std::array<int, 3> statusPanelRightEdges(int barWidth, int dpi);

// Where the main window's children go in its client area: the toolbar on top, the status
// strip (progress bar, when shown, left of the status bar) at the bottom, the list between.
struct MainLayout {
    WindowBounds toolbar;
    WindowBounds list;
    WindowBounds progress;
    WindowBounds statusBar;
    std::array<int, 3> panelEdges;
};
MainLayout mainLayout(int clientWidth, int clientHeight, int toolbarHeight, bool progressShown,
                      int dpi);

// Lets work through at most once per interval, the first time at once.
class RefreshThrottle {
  public:
    explicit RefreshThrottle(uint64_t intervalMilliseconds) : interval_(intervalMilliseconds) {}

    // Whether the work is due at this clock reading; when it is, the clock restarts.
    bool due(uint64_t nowMilliseconds) {
        if (last_ && nowMilliseconds - *last_ < interval_) {
            return false;
        }
        last_ = nowMilliseconds;
        return true;
    }
    // The work ran anyway (outside the throttle); the interval restarts from here.
    void ran(uint64_t nowMilliseconds) { last_ = nowMilliseconds; }
    void setInterval(uint64_t intervalMilliseconds) { interval_ = intervalMilliseconds; }

  private:
    uint64_t interval_;
    std::optional<uint64_t> last_;
};

} // namespace dustbane
