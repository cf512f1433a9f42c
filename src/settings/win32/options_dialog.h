#pragma once

#include "app/settings_summary.h"
#include "settings/options_logic.h"

#include <functional>
#include <windows.h>

namespace dustbane {

// "Clean Settings": created hidden at start, shown modally over the main window on a page.
class OptionsDialog {
  public:
    OptionsDialog(HINSTANCE instance, AppServices& app, OptionsLogic& logic,
                  std::function<void()> help);
    OptionsDialog(const OptionsDialog&) = delete;
    OptionsDialog& operator=(const OptionsDialog&) = delete;
    ~OptionsDialog();

    // Creates the hidden window (class TForm2).
    void create(HWND mainWindow);
    // Shows the dialog modally on the page; returns when it is closed.
    void show(OptionsPage page);
    HWND handle() const { return window_; }

  private:
    HINSTANCE instance_;
    AppServices& app_;
    OptionsLogic& logic_;
    std::function<void()> help_;
    HWND owner_ = nullptr;
    HWND window_ = nullptr;
    OptionsPage lastPage_ = OptionsPage::General;
};

} // namespace dustbane
