#include "app/win32/window_procedure.h"

#include "platform/win32/text.h"

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
