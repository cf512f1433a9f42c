#include "platform/win32/window_centring.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace dustbane::testing {
namespace {

class Window {
  public:
    Window(int left, int top, int width, int height, HWND owner = nullptr)
        : handle_(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, left, top, width, height, owner,
                                  nullptr, GetModuleHandleW(nullptr), nullptr)) {}
    ~Window() { DestroyWindow(handle_); }
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    HWND handle() const { return handle_; }
    RECT rect() const {
        RECT rect{};
        GetWindowRect(handle_, &rect);
        return rect;
    }

  private:
    HWND handle_;
};

RECT workAreaOf(HWND window) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
    return monitor.rcWork;
}

TEST(WindowCentringTest, ADialogStaysWholeOnTheScreenWhenItsOwnerIsHalfOffIt) {
    Window owner(100, 100, 600, 400);
    ASSERT_TRUE(owner.handle());
    const RECT work = workAreaOf(owner.handle());
    Window dialog(0, 0, 300, 200, owner.handle());
    ASSERT_TRUE(dialog.handle());

    win32::centreOverOwner(dialog.handle(), owner.handle());
    EXPECT_EQ(dialog.rect().left, 100 + (600 - 300) / 2) << "centred over an owner on screen";
    EXPECT_EQ(dialog.rect().top, 100 + (400 - 200) / 2);

    // Half off the left and bottom edges.
    SetWindowPos(owner.handle(), nullptr, work.left - 300, work.bottom - 200, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    win32::centreOverOwner(dialog.handle(), owner.handle());
    const RECT placed = dialog.rect();
    EXPECT_EQ(placed.left, work.left);
    EXPECT_EQ(placed.bottom, work.bottom);
    EXPECT_EQ(placed.right - placed.left, 300) << "moved, never resized";
}

} // namespace
} // namespace dustbane::testing
