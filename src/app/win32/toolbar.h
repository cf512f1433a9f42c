#pragma once

#include "app/toolbar_layout.h"
#include "app/win32/fonts.h"
#include "platform/win32/controls.h"
#include "platform/window_operations.h"

#include <array>
#include <optional>
#include <utility>
#include <windows.h>

namespace dustbane::win32 {

// The strip of seven flat buttons at the top of the main window, painted from a ToolbarModel.
// Button clicks and its right-click menu's commands arrive at the parent as WM_COMMAND.
class Toolbar {
  public:
    explicit Toolbar(HINSTANCE instance);
    Toolbar(const Toolbar&) = delete;
    Toolbar& operator=(const Toolbar&) = delete;

    // Creates the bar and its buttons for a window drawn at the density.
    void create(HWND parent, int dpi);
    HWND handle() const { return window_; }
    // Places, pictures and fonts for another density (the window moved to another screen).
    void setDpi(int dpi);
    // The command of the focused button, or 0 when none has the focus.
    int focusedCommand() const;

    void applyLanguage(const LanguageTable& language);
    void onlyIcons(Registry& registry, Prompter& prompter);
    void showText(Registry& registry, Prompter& prompter);
    bool iconsOnly() const { return model_.onlyIconsChecked(); }
    int height() const { return model_.height(); }
    // The face of a button that starts a run (Clean or Analyze).
    void setRunFace(ToolbarSlot slot, const std::string& caption, CleanPicture picture,
                    const std::string& hint);

    LRESULT handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  private:
    static LRESULT CALLBACK buttonHook(HWND button, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR id, DWORD_PTR self);
    void createButtons();
    void loadFaces();
    void sync();
    void drawButton(const DRAWITEMSTRUCT& item) const;
    // The picture a button shows now, and its size.
    std::pair<HICON, PictureSize> shownPicture(ToolbarSlot slot) const;
    void showMenu(POINT screen) const;
    int slotOf(HWND button) const;

    HINSTANCE instance_;
    HWND window_ = nullptr;
    ToolTipControl tooltip_;
    ToolbarModel model_;
    std::array<ButtonControl, toolbarSlotCount> buttons_;
    std::array<UniqueIcon, toolbarSlotCount> pictures_;
    UniqueIcon stopPicture_;
    // The pictures the run buttons were told to show; a button never told shows its own.
    std::array<std::optional<CleanPicture>, toolbarSlotCount> facePictures_;
    UniqueFont font_;
    UniqueFont boldFont_;
    int hotSlot_ = -1;
};

} // namespace dustbane::win32
