#include "app/window_geometry.h"

#include <gtest/gtest.h>

namespace dustbane {
namespace {

bool operator==(const WindowBounds& a, const WindowBounds& b) {
    return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height;
}

TEST(WindowGeometry, CentresTheDesignedSizeInTheWorkArea) {
    EXPECT_TRUE(centredBounds({0, 0, 1280, 1024}) == (WindowBounds{259, 214, 761, 595}));
    EXPECT_TRUE(centredBounds({0, 40, 1280, 984}) == (WindowBounds{259, 234, 761, 595}))
        << "a taskbar at the top moves the window down";
    EXPECT_TRUE(centredBounds({-1920, 0, 700, 500}) == (WindowBounds{-1920, 0, 761, 595}))
        << "a work area smaller than the window keeps its top left corner visible";
}

TEST(WindowGeometry, StoredBoundsOverrideOnlyWhatExists) {
    StartupPlacement placement;
    placement.mode = StartupPlacement::Mode::Stored;
    placement.left = 30;
    placement.top = -5;
    EXPECT_TRUE(storedBounds(placement, {100, 100, 900, 700}) == (WindowBounds{30, -5, 900, 700}));
    placement.width = 640;
    placement.height = 480;
    EXPECT_TRUE(storedBounds(placement, {100, 100, 900, 700}) == (WindowBounds{30, -5, 640, 480}));
}

TEST(WindowGeometry, AStoredSizeTooSmallToGrabIsRaised) {
    StartupPlacement placement;
    placement.width = 0;
    placement.height = -300;
    WindowBounds bounds = storedBounds(placement, {10, 10, 900, 700});
    EXPECT_EQ(bounds.width, 420);
    EXPECT_EQ(bounds.height, 240);
}

TEST(WindowGeometry, PanelZeroTakesWhatTheOtherPanelsLeave) {
    EXPECT_EQ(statusPanelRightEdges(745), (std::array<int, 3>{520, 630, -1}));
    EXPECT_EQ(statusPanelRightEdges(638), (std::array<int, 3>{413, 523, -1}))
        << "107 pixels less beside the progress bar";
    EXPECT_EQ(statusPanelRightEdges(150), (std::array<int, 3>{0, 35, -1}));
    EXPECT_EQ(statusPanelRightEdges(0), (std::array<int, 3>{0, 0, -1}));
}

TEST(RefreshThrottle, RunsAtOnceThenAtMostOncePerInterval) {
    RefreshThrottle throttle(10);
    EXPECT_TRUE(throttle.due(3)) << "the first call runs even right after the clock started";
    EXPECT_FALSE(throttle.due(4));
    EXPECT_FALSE(throttle.due(12));
    EXPECT_TRUE(throttle.due(13));
    throttle.ran(20);
    EXPECT_FALSE(throttle.due(29)) << "work done outside the throttle restarts the interval";
    EXPECT_TRUE(throttle.due(30));
}

} // namespace
} // namespace dustbane
