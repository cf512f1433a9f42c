#include "platform/win32/window_centring.h"

#include <algorithm>

namespace dustbane::win32 {

void centreOverOwner(HWND window, HWND owner) {
    RECT ownerRect{};
    RECT own{};
    GetWindowRect(owner, &ownerRect);
    GetWindowRect(window, &own);
    const LONG width = own.right - own.left;
    const LONG height = own.bottom - own.top;
    LONG left = ownerRect.left + (ownerRect.right - ownerRect.left - width) / 2;
    LONG top = ownerRect.top + (ownerRect.bottom - ownerRect.top - height) / 2;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor)) {
        // The top left corner wins where the window is larger than the work area.
        const RECT& work = monitor.rcWork;
        left = std::max(work.left, std::min(left, work.right - width));
        top = std::max(work.top, std::min(top, work.bottom - height));
    }
    SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace dustbane::win32
