#include "platform/win32/window_base.h"

#include "platform/win32/text.h"
#include "platform/win32/window_centring.h"

#include <stdexcept>
#include <string>

namespace dustbane::win32 {

void reportException(const std::exception_ptr& error) noexcept {
    std::wstring text = L"An unexpected error occurred.";
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& exception) {
        try {
            text = widen(exception.what());
        } catch (...) {
            text = L"An unexpected error occurred (out of memory).";
        }
    } catch (...) {
    }
    MessageBoxW(nullptr, text.c_str(), L"Dustbane", MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

std::optional<int> dispatchMessages(const std::function<bool()>& done,
                                    const MessageFilter& filter) {
    MSG message{};
    while (!done()) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got <= 0) {
            return got == 0 ? static_cast<int>(message.wParam) : 1;
        }
        if (!filter(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return std::nullopt;
}

void ModalLoop::run(HWND window, HWND owner, HWND focus, const MessageFilter& filter) {
    centreOverOwner(window, owner);
    EnableWindow(owner, FALSE);
    running_ = true;
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    SetFocus(focus);
    const std::optional<int> quit =
        dispatchMessages([&] { return !running_ || !IsWindow(window); }, filter);
    running_ = false;
    // The owner is enabled before the window hides, so that Windows activates the owner and
    // not some other program's window.
    EnableWindow(owner, TRUE);
    if (IsWindow(window)) {
        ShowWindow(window, SW_HIDE);
    }
    SetActiveWindow(owner);
    if (quit) {
        // The program is ending: the main loop must still see the quit message.
        PostQuitMessage(*quit);
    }
}

void detachAndDestroy(HWND window) noexcept {
    if (window && IsWindow(window)) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        DestroyWindow(window);
    }
}

void registerClass(HINSTANCE instance, const wchar_t* name, WNDPROC procedure, HBRUSH background,
                   HICON icon) {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(instance, name, &existing)) {
        return;
    }
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = icon;
    windowClass.hIconSm = icon;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = name;
    if (!RegisterClassExW(&windowClass)) {
        throw std::runtime_error("The window class " + narrow(name) + " could not be registered.");
    }
}

} // namespace dustbane::win32
