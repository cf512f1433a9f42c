#include "driver/message_box.h"

#include "driver/window.h"

#include <stdexcept>

namespace dustbane::e2e {

namespace {

constexpr const char* dialogClass = "#32770";
// The static control that holds a message box's text.
constexpr int textControlId = 0xFFFF;

} // namespace

HWND waitForMessageBox(const std::string& caption, std::chrono::milliseconds timeout) {
    return waitForTopLevel(0, dialogClass, caption, timeout);
}

bool messageBoxShown(const std::string& caption) {
    return !topLevelWindows(0, dialogClass, caption).empty();
}

std::string messageBoxText(HWND box) {
    HWND text = GetDlgItem(box, textControlId);
    return text ? windowText(text) : std::string();
}

std::string answerMessageBox(const std::string& caption, int button,
                             std::chrono::milliseconds timeout) {
    HWND box = waitForMessageBox(caption, timeout);
    if (!box) {
        throw std::runtime_error("no message box \"" + caption + "\" showed");
    }
    std::string text = messageBoxText(box);
    HWND control = GetDlgItem(box, button);
    if (!control) {
        throw std::runtime_error("message box \"" + caption + "\" has no button " +
                                 std::to_string(button));
    }
    clickButton(control);
    if (!waitUntil([box] { return !IsWindow(box) || !IsWindowVisible(box); }, timeout)) {
        throw std::runtime_error("message box \"" + caption + "\" stayed after the answer");
    }
    return text;
}

} // namespace dustbane::e2e
