#include "app/window_geometry.h"

#include "app/window_metrics.h"

#include <algorithm>

namespace dustbane {

WindowBounds centredBounds(const WindowBounds& workArea) {
    return {workArea.left + std::max(0, (workArea.width - metrics::windowWidth) / 2),
            workArea.top + std::max(0, (workArea.height - metrics::windowHeight) / 2),
            metrics::windowWidth, metrics::windowHeight};
}

WindowBounds storedBounds(const StartupPlacement& placement, const WindowBounds& systemDefault) {
    return {
        placement.left.value_or(systemDefault.left), placement.top.value_or(systemDefault.top),
        std::max(placement.width.value_or(systemDefault.width), metrics::minimumWindowWidth),
        std::max(placement.height.value_or(systemDefault.height), metrics::minimumWindowHeight)};
}

std::array<int, 3> statusPanelRightEdges(int barWidth) {
    int panel2Left = std::max(0, barWidth - metrics::statusPanel2Width);
    int panel1Left = std::max(0, panel2Left - metrics::statusPanel1Width);
    return {panel1Left, panel2Left, -1};
}

} // namespace dustbane
