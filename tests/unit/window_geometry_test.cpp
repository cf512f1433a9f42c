#include "app/window_geometry.h"
#include "app/window_metrics.h"

#include <gtest/gtest.h>

namespace dustbane {
namespace {

bool operator==(const WindowBounds& a, const WindowBounds& b) {
    return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height;
}

TEST(WindowGeometry, CentresTheDesignedSizeInTheWorkArea) {
    EXPECT_TRUE(centredBounds({0, 0, 1280, 1024}, 96) == (WindowBounds{259, 214, 761, 595}));
    EXPECT_TRUE(centredBounds({0, 40, 1280, 984}, 96) == (WindowBounds{259, 234, 761, 595}))
        << "a taskbar at the top moves the window down";
    EXPECT_TRUE(centredBounds({-1920, 0, 700, 500}, 96) == (WindowBounds{-1920, 0, 761, 595}))
        << "a work area smaller than the window keeps its top left corner visible";
}

TEST(WindowGeometry, StoredBoundsOverrideOnlyWhatExists) {
    StartupPlacement placement;
    placement.mode = StartupPlacement::Mode::Stored;
    placement.left = 30;
    placement.top = -5;
    EXPECT_TRUE(storedBounds(placement, {100, 100, 900, 700}, 96) ==
                (WindowBounds{30, -5, 900, 700}));
    placement.width = 640;
    placement.height = 480;
    EXPECT_TRUE(storedBounds(placement, {100, 100, 900, 700}, 96) ==
                (WindowBounds{30, -5, 640, 480}));
}

TEST(WindowGeometry, AStoredSizeTooSmallToGrabIsRaised) {
    StartupPlacement placement;
    placement.width = 0;
    placement.height = -300;
    WindowBounds bounds = storedBounds(placement, {10, 10, 900, 700}, 96);
    EXPECT_EQ(bounds.width, 420);
    EXPECT_EQ(bounds.height, 240);
}

TEST(WindowGeometry, PanelZeroTakesWhatTheOtherPanelsLeave) {
    EXPECT_EQ(statusPanelRightEdges(745, 96), (std::array<int, 3>{520, 630, -1}));
    EXPECT_EQ(statusPanelRightEdges(638, 96), (std::array<int, 3>{413, 523, -1}))
        << "107 pixels less beside the progress bar";
    EXPECT_EQ(statusPanelRightEdges(150, 96), (std::array<int, 3>{0, 35, -1}));
    EXPECT_EQ(statusPanelRightEdges(0, 96), (std::array<int, 3>{0, 0, -1}));
}

TEST(DensityScaling, RoundsToTheNearestPixelAsMulDivDoes) {
    EXPECT_EQ(metrics::scaled(761, 96), 761);
    EXPECT_EQ(metrics::scaled(761, 144), 1142) << "1141.5 rounds up";
    EXPECT_EQ(metrics::scaled(595, 144), 893);
    EXPECT_EQ(metrics::scaled(761, 120), 951);
    EXPECT_EQ(metrics::scaled(595, 120), 744);
    EXPECT_EQ(metrics::scaled(15, 144), 23);
    EXPECT_EQ(metrics::scaled(-3, 144), -5) << "halves round away from zero";
    EXPECT_EQ(metrics::scaled(0, 192), 0);
    EXPECT_EQ(metrics::scaled(37, 0), 37) << "an unknown density is the designed one";
    EXPECT_EQ(metrics::scaled(2000000, 480), 10000000) << "no overflow on the way";
}

TEST(WindowGeometry, TheDesignedSizeAndItsLimitsScaleWithTheDensity) {
    EXPECT_TRUE(centredBounds({0, 0, 1280, 1024}, 144) == (WindowBounds{69, 65, 1142, 893}));
    EXPECT_TRUE(centredBounds({0, 0, 1280, 1024}, 120) == (WindowBounds{164, 140, 951, 744}));
    EXPECT_TRUE(centredBounds({0, 0, 1024, 768}, 144) == (WindowBounds{0, 0, 1142, 893}))
        << "a screen too small for the window keeps its top left corner visible";
    EXPECT_TRUE(minimumWindowSize(144) == (WindowBounds{0, 0, 630, 360}));

    StartupPlacement placement;
    placement.width = 500;
    placement.height = 700;
    EXPECT_TRUE(storedBounds(placement, {10, 20, 900, 700}, 144) ==
                (WindowBounds{10, 20, 630, 700}))
        << "stored pixels stay; only the minimum grows";
    EXPECT_TRUE(storedBounds(placement, {10, 20, 900, 700}, 96) ==
                (WindowBounds{10, 20, 500, 700}));
}

TEST(WindowGeometry, StatusPanelsScaleWithTheDensity) {
    EXPECT_EQ(statusPanelRightEdges(1000, 144), (std::array<int, 3>{662, 827, -1}));
    EXPECT_EQ(statusPanelRightEdges(1000, 120), (std::array<int, 3>{718, 856, -1}));
}

TEST(MainLayout, StacksToolbarListAndStatusStrip) {
    MainLayout idle = mainLayout(745, 556, 80, false, 96);
    EXPECT_TRUE(idle.toolbar == (WindowBounds{0, 0, 745, 80}));
    EXPECT_TRUE(idle.list == (WindowBounds{0, 80, 745, 450}));
    EXPECT_TRUE(idle.statusBar == (WindowBounds{0, 530, 745, 26}));
    EXPECT_TRUE(idle.progress == (WindowBounds{0, 532, 107, 22}));
    EXPECT_EQ(idle.panelEdges, statusPanelRightEdges(745, 96));

    MainLayout running = mainLayout(745, 556, 80, true, 96);
    EXPECT_TRUE(running.statusBar == (WindowBounds{107, 530, 638, 26}))
        << "the progress bar takes the left of the strip";
    EXPECT_EQ(running.panelEdges, statusPanelRightEdges(638, 96));
}

TEST(MainLayout, ScalesAtHighDensityAndNeverGoesNegative) {
    MainLayout dense = mainLayout(1126, 854, 120, true, 144);
    EXPECT_TRUE(dense.list == (WindowBounds{0, 120, 1126, 695}));
    EXPECT_TRUE(dense.progress == (WindowBounds{0, 818, 161, 33}));
    EXPECT_TRUE(dense.statusBar == (WindowBounds{161, 815, 965, 39}));

    MainLayout squashed = mainLayout(-5, 50, 80, true, 96);
    EXPECT_TRUE(squashed.toolbar == (WindowBounds{0, 0, 0, 80}));
    EXPECT_EQ(squashed.list.height, 0) << "the list goes before the toolbar does";
    EXPECT_EQ(squashed.statusBar.top, 80);
    EXPECT_EQ(squashed.statusBar.width, 0);
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
