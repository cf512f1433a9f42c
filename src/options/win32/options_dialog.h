#pragma once

#include "options/options_logic.h"
#include "options/win32/policy_marks.h"
#include "platform/win32/window_base.h"
#include "settings/settings_summary.h"

#include <array>
#include <exception>
#include <functional>
#include <windows.h>
// Needs windows.h first.
#include <commctrl.h>

namespace dustbane {

// "Clean Settings": created hidden at start, shown modally over the main window on a page.
// Its controls edit the live settings record directly; OK persists, any other close
// restores (both decided by OptionsLogic).
class OptionsDialog {
  public:
    OptionsDialog(HINSTANCE instance, AppServices& app, OptionsLogic& logic,
                  std::function<void()> help);
    OptionsDialog(const OptionsDialog&) = delete;
    OptionsDialog& operator=(const OptionsDialog&) = delete;
    ~OptionsDialog();

    // Creates the hidden window (class TForm2); throws, in words for the user, when it cannot.
    void create(HWND mainWindow);
    // Shows the dialog modally on the page; returns when it is closed.
    void show(OptionsPage page);
    // The page shown now, or last while the dialog is hidden.
    OptionsPage currentPage() const;
    HWND handle() const { return window_; }

  private:
    static constexpr int pageCount = 6;

    INT_PTR frameHandle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR pageHandle(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR frameMessage(UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR pageMessage(UINT message, WPARAM wParam, LPARAM lParam);

    void initialise();
    HWND control(int id) const;
    // The target whose check box has this id, or nullptr.
    const TargetSetting* targetOfBox(int id) const;
    void command(int id, int code);
    void notify(const NMHDR& header);
    void selectPage(int index);
    bool switchPageKey(const MSG& message);
    void fill();
    // Disables what the administrator's policies set and says so beside it.
    void showPolicyMarks();
    // The scheduled clean's controls: their texts once, their values at every fill.
    void prepareSchedule();
    void fillSchedule();
    void enableSchedule();
    void fillList(PathListKind kind);
    void add(PathListKind kind);
    void remove(PathListKind kind);
    void close(bool accept);

    HINSTANCE instance_;
    AppServices& app_;
    OptionsLogic& logic_;
    std::function<void()> help_;
    HWND owner_ = nullptr;
    HWND window_ = nullptr;
    HWND tabs_ = nullptr;
    std::array<HWND, pageCount> pages_{};
    HIMAGELIST systemImages_ = nullptr;
    // Set while the controls are filled from the record, so that their notifications do
    // not write back.
    bool filling_ = false;
    std::exception_ptr createError_;
    win32::PolicyMarks policyMarks_;
    win32::ModalLoop modal_;
};

} // namespace dustbane
