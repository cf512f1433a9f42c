#pragma once

#include <initializer_list>
#include <map>
#include <string>
#include <windows.h>

namespace dustbane::win32 {

// Shows which of a dialog's controls the administrator's policies set: they are disabled, and
// "Set by your administrator" stands beside the control that names them: after its caption
// when the row has room, else on a line of its own below it when that is free, else after the
// caption of the group box around it.
class PolicyMarks {
  public:
    // Every mark goes and every control is as it was made; show() then marks what still holds.
    void clear();
    // Disables or enables the controls and marks the one that names them, which may be one of
    // them or the label beside them.
    void show(std::initializer_list<HWND> controls, HWND named, bool locked,
              const std::string& mark);

  private:
    struct Original {
        std::wstring caption;
        RECT bounds;
    };

    const Original& originalOf(HWND control);
    bool markBeside(HWND named, const std::wstring& text);
    bool markBelow(HWND named, const std::wstring& text);
    void markGroup(HWND named, const std::wstring& text);

    std::map<HWND, Original> originals_;
    // The lines below controls, by the control they belong to.
    std::map<HWND, HWND> lines_;
};

} // namespace dustbane::win32
