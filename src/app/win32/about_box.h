#pragma once

#include "app/win32/fonts.h"
#include "platform/shell.h"
#include "platform/win32/controls.h"
#include "platform/win32/window_base.h"

#include <windows.h>

namespace dustbane::win32 {

// "About Dustbane": the program's name and version, its maker and the maker's web address
// as a link. Created hidden at start, shown modally over the main window.
class AboutBox {
  public:
    AboutBox(HINSTANCE instance, Shell& shell);
    AboutBox(const AboutBox&) = delete;
    AboutBox& operator=(const AboutBox&) = delete;
    ~AboutBox();

    // Creates the hidden window (class TAboutBox).
    void create(HWND owner);
    // Returns when the box is closed.
    void showModal();

    LRESULT handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  private:
    void applyDpi(int dpi);

    HINSTANCE instance_;
    Shell& shell_;
    HWND owner_ = nullptr;
    HWND window_ = nullptr;
    Control program_;
    Control maker_;
    Control link_;
    ButtonControl ok_;
    int dpi_ = 0;
    ModalLoop modal_;
    UniqueFont titleFont_;
    UniqueFont textFont_;
    UniqueFont linkFont_;
    UniqueBrush pageBrush_;
    UniqueIcon programIcon_;
};

} // namespace dustbane::win32
