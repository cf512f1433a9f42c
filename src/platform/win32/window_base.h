#pragma once

#include <exception>
#include <functional>
#include <optional>
#include <windows.h>

namespace dustbane::win32 {

// What every window and dialog of the program shares: one guarded procedure style, one
// message loop and one way of being modal.

// Shows an exception that reached a Windows callback; nothing may cross into Windows.
void reportException(const std::exception_ptr& error) noexcept;

// Runs a message handler for Windows: an exception is reported and `fallback` returned.
template <typename Handler, typename Result>
Result guarded(Handler&& handler, Result fallback) noexcept {
    try {
        return handler();
    } catch (...) {
        reportException(std::current_exception());
    }
    return fallback;
}

// The object of a window lives in GWLP_USERDATA, set from the creation message's parameter:
// CreateWindowEx's for a window, CreateDialogParam's for a dialog. Null before that message
// and after detachAndDestroy.
template <typename T> T* objectOf(HWND window, UINT message, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    } else if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(window, GWLP_USERDATA, lParam);
    }
    return reinterpret_cast<T*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

// The window procedure of a class T whose member (`handle` unless named) takes the messages.
template <typename T, LRESULT (T::*Handler)(HWND, UINT, WPARAM, LPARAM) = &T::handle>
LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    T* self = objectOf<T>(window, message, lParam);
    if (!self) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return guarded([&] { return (self->*Handler)(window, message, wParam, lParam); }, LRESULT{0});
}

// The dialog procedure of the same style; a dialog answers FALSE for what it leaves to the
// dialog manager.
template <typename T, INT_PTR (T::*Handler)(HWND, UINT, WPARAM, LPARAM)>
INT_PTR CALLBACK dialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    T* self = objectOf<T>(window, message, lParam);
    if (!self) {
        return FALSE;
    }
    return guarded([&] { return (self->*Handler)(window, message, wParam, lParam); },
                   INT_PTR{FALSE});
}

// Sees each message before it is dispatched; true when it took the message (keyboard
// navigation, accelerators).
using MessageFilter = std::function<bool(MSG&)>;

// The one message loop: dispatches until `done` says so, or until the program quits, when
// it returns the exit code.
std::optional<int> dispatchMessages(const std::function<bool()>& done, const MessageFilter& filter);

// Shows a window modally over its owner, centred and whole on the screen: the owner takes no
// input until the window's own handler calls end(), the window goes or the program quits.
class ModalLoop {
  public:
    void run(HWND window, HWND owner, HWND focus, const MessageFilter& filter);
    void end() { running_ = false; }
    bool running() const { return running_; }

  private:
    bool running_ = false;
};

// Destroys a window whose object is going away, first cutting it off from that object so
// that no message reaches the object during or after the destruction.
void detachAndDestroy(HWND window) noexcept;

// Registers a window class once per process; later calls do nothing.
void registerClass(HINSTANCE instance, const wchar_t* name, WNDPROC procedure, HBRUSH background,
                   HICON icon = nullptr);

} // namespace dustbane::win32
