#include "driver/window.h"

#include "platform/win32/text.h"

#include <stdexcept>

namespace dustbane::e2e {

namespace {

struct WindowSearch {
    DWORD processId;
    std::wstring windowClass;
    std::wstring text;
    std::vector<HWND> found;
};

bool matches(HWND window, const WindowSearch& search) {
    if (className(window) != win32::narrow(search.windowClass)) {
        return false;
    }
    return search.text.empty() || windowText(window) == win32::narrow(search.text);
}

BOOL CALLBACK collectTopLevel(HWND window, LPARAM context) {
    auto& search = *reinterpret_cast<WindowSearch*>(context);
    if (IsWindowVisible(window) &&
        (search.processId == 0 || processOf(window) == search.processId) &&
        matches(window, search)) {
        search.found.push_back(window);
    }
    return TRUE;
}

BOOL CALLBACK collectChild(HWND window, LPARAM context) {
    auto& search = *reinterpret_cast<WindowSearch*>(context);
    if (matches(window, search)) {
        search.found.push_back(window);
    }
    return TRUE;
}

} // namespace

LRESULT sendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result)) {
        throw std::runtime_error("window " + className(window) + " did not answer message " +
                                 std::to_string(message));
    }
    return static_cast<LRESULT>(result);
}

std::string className(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, static_cast<int>(std::size(name)));
    return win32::narrow(name);
}

std::string windowText(HWND window) {
    // WM_GETTEXT rather than GetWindowText: it also reads controls of another process.
    auto length = sendMessage(window, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    auto copied = sendMessage(window, WM_GETTEXT, static_cast<WPARAM>(text.size()),
                              reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(copied));
    return win32::narrow(text);
}

RECT windowRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

bool isVisible(HWND window) {
    return IsWindowVisible(window) != FALSE;
}

bool isMaximized(HWND window) {
    return IsZoomed(window) != FALSE;
}

DWORD processOf(HWND window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    return processId;
}

std::vector<HWND> topLevelWindows(DWORD processId, const std::string& windowClass,
                                  const std::string& caption) {
    WindowSearch search{processId, win32::widen(windowClass), win32::widen(caption), {}};
    EnumWindows(collectTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND waitForTopLevel(DWORD processId, const std::string& windowClass, const std::string& caption,
                     std::chrono::milliseconds timeout) {
    HWND found = nullptr;
    waitUntil(
        [&] {
            auto windows = topLevelWindows(processId, windowClass, caption);
            found = windows.empty() ? nullptr : windows.front();
            return found != nullptr;
        },
        timeout);
    return found;
}

std::vector<HWND> childWindows(HWND parent, const std::string& windowClass,
                               const std::string& text) {
    WindowSearch search{0, win32::widen(windowClass), win32::widen(text), {}};
    EnumChildWindows(parent, collectChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND findChild(HWND parent, const std::string& windowClass, const std::string& text) {
    auto windows = childWindows(parent, windowClass, text);
    return windows.empty() ? nullptr : windows.front();
}

HWND childWithId(HWND parent, const std::string& windowClass, int id) {
    for (HWND child : childWindows(parent, windowClass)) {
        if (GetDlgCtrlID(child) == id) {
            return child;
        }
    }
    return nullptr;
}

void postClose(HWND window) {
    PostMessageW(window, WM_CLOSE, 0, 0);
}

void postCommand(HWND window, int commandId) {
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(commandId, 0), 0);
}

void clickButton(HWND button) {
    PostMessageW(button, BM_CLICK, 0, 0);
}

void clickAt(HWND window, int x, int y) {
    auto point = MAKELPARAM(x, y);
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageW(window, WM_LBUTTONUP, 0, point);
}

void pressKey(HWND window, UINT virtualKey) {
    const UINT scanCode = MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
    PostMessageW(window, WM_KEYDOWN, virtualKey, 1 | (scanCode << 16));
    PostMessageW(window, WM_KEYUP, virtualKey, 1 | (scanCode << 16) | (3u << 30));
}

} // namespace dustbane::e2e
