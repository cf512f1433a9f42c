#pragma once

#include "driver/wait.h"

#include <string>
#include <vector>
#include <windows.h>

namespace dustbane::e2e {

// Queries and messages for any window, in UTF-8. Messages that may start a modal loop in
// the program (clicks, commands, closing) are posted, so the test never blocks on them.

// SendMessage that gives up (throwing) when the program does not answer within seconds, so a
// hung program fails the test instead of hanging it.
LRESULT sendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

std::string className(HWND window);
std::string windowText(HWND window);
RECT windowRect(HWND window);
inline int widthOf(const RECT& rect) {
    return rect.right - rect.left;
}
inline int heightOf(const RECT& rect) {
    return rect.bottom - rect.top;
}
// The main window's designed outer size at 96 dots per inch.
inline constexpr int designedWidth = 761;
inline constexpr int designedHeight = 595;
bool isVisible(HWND window);
bool isMaximized(HWND window);
DWORD processOf(HWND window);

// Visible top-level windows of the process (any process when processId is 0) with this
// class, and this caption unless the caption is empty.
std::vector<HWND> topLevelWindows(DWORD processId, const std::string& windowClass,
                                  const std::string& caption = {});
HWND waitForTopLevel(DWORD processId, const std::string& windowClass,
                     const std::string& caption = {},
                     std::chrono::milliseconds timeout = defaultTimeout);

// Descendants of parent with this class (and text, unless empty), in Z order, depth first.
std::vector<HWND> childWindows(HWND parent, const std::string& windowClass,
                               const std::string& text = {});
// The first such descendant, or nullptr.
HWND findChild(HWND parent, const std::string& windowClass, const std::string& text = {});
// The descendant with this class and control identifier, or nullptr.
HWND childWithId(HWND parent, const std::string& windowClass, int id);

void postClose(HWND window);
void postCommand(HWND window, int commandId);
// Clicks a button the way the keyboard does (BM_CLICK).
void clickButton(HWND button);
// A left click at a point in the window's client coordinates.
void clickAt(HWND window, int x, int y);
// A key without modifiers pressed and released, as the keyboard posts it to the focused
// window; the program's accelerators see it in its message loop.
void pressKey(HWND window, UINT virtualKey);

} // namespace dustbane::e2e
