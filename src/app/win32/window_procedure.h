#pragma once

#include <exception>
#include <windows.h>

namespace dustbane::win32 {

// Shows an exception that reached a Windows callback; nothing may cross into Windows.
void reportException(const std::exception_ptr& error) noexcept;

// The window procedure of a class T with `LRESULT handle(HWND, UINT, WPARAM, LPARAM)`: the
// object comes from CreateWindowEx's parameter and lives in GWLP_USERDATA.
template <typename T>
LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<T*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    try {
        return self->handle(window, message, wParam, lParam);
    } catch (...) {
        reportException(std::current_exception());
    }
    return 0;
}

// Destroys a window whose object is going away, first cutting it off from that object so
// that no message reaches the object during or after the destruction.
void detachAndDestroy(HWND window) noexcept;

// Registers a window class once per process; later calls do nothing.
void registerClass(HINSTANCE instance, const wchar_t* name, WNDPROC procedure, HBRUSH background,
                   HICON icon = nullptr);

} // namespace dustbane::win32
