#include "app/window_geometry.h"

#include "app/window_metrics.h"

#include <algorithm>

namespace dustbane {

using metrics::scaled;

WindowBounds centredBounds(const WindowBounds& workArea, int dpi) {
    int width = scaled(metrics::windowWidth, dpi);
    int height = scaled(metrics::windowHeight, dpi);
    return {workArea.left + std::max(0, (workArea.width - width) / 2),
            workArea.top + std::max(0, (workArea.height - height) / 2), width, height};
}

WindowBounds minimumWindowSize(int dpi) {
    return {0, 0, scaled(metrics::minimumWindowWidth, dpi),
            scaled(metrics::minimumWindowHeight, dpi)};
}

WindowBounds storedBounds(const StartupPlacement& placement, const WindowBounds& systemDefault,
                          int dpi) {
    WindowBounds minimum = minimumWindowSize(dpi);
    return {placement.left.value_or(systemDefault.left), placement.top.value_or(systemDefault.top),
            std::max(placement.width.value_or(systemDefault.width), minimum.width),
            std::max(placement.height.value_or(systemDefault.height), minimum.height)};
}

std::array<int, 3> statusPanelRightEdges(int barWidth, int dpi) {
    int panel2Left = std::max(0, barWidth - scaled(metrics::statusPanel2Width, dpi));
    int panel1Left = std::max(0, panel2Left - scaled(metrics::statusPanel1Width, dpi));
    return {panel1Left, panel2Left, -1};
}

MainLayout mainLayout(int clientWidth, int clientHeight, int toolbarHeight, bool progressShown,
                      int dpi) {
    int width = std::max(0, clientWidth);
    int stripHeight = scaled(metrics::statusStripHeight, dpi);
    // A window too short for all three keeps the toolbar whole and lets the list go first.
    int stripTop = std::max(toolbarHeight, clientHeight - stripHeight);
    int progressWidth = scaled(metrics::progressWidth, dpi);
    int inset = scaled(metrics::progressInset, dpi);
    int barLeft = progressShown ? progressWidth : 0;
    int barWidth = std::max(0, width - barLeft);
    return {{0, 0, width, toolbarHeight},
            {0, toolbarHeight, width, stripTop - toolbarHeight},
            {0, stripTop + inset, progressWidth, stripHeight - 2 * inset},
            {barLeft, stripTop, barWidth, stripHeight},
            statusPanelRightEdges(barWidth, dpi)};
}

} // namespace dustbane
