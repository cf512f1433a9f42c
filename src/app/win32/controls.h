#pragma once

#include <string>
#include <windows.h>
// After <windows.h>, which they need.
#include <commctrl.h>

namespace dustbane::win32 {

// Thin views of the common controls the main window uses. They do not own their window:
// the parent destroys its children.

class Control {
  public:
    Control() = default;
    explicit Control(HWND window) : window_(window) {}

    HWND handle() const { return window_; }
    void move(int left, int top, int width, int height) const {
        MoveWindow(window_, left, top, width, height, TRUE);
    }
    void show(bool visible) const { ShowWindow(window_, visible ? SW_SHOWNA : SW_HIDE); }
    bool visible() const { return IsWindowVisible(window_) != FALSE; }
    void setText(const std::wstring& text) const { SetWindowTextW(window_, text.c_str()); }
    void setFont(HFONT font) const {
        SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }

  protected:
    HWND window_ = nullptr;
};

class ListViewControl : public Control {
  public:
    using Control::Control;

    void setItemCount(int count, DWORD flags) const {
        ListView_SetItemCountEx(window_, count, flags);
    }
    void ensureVisible(int index) const { ListView_EnsureVisible(window_, index, FALSE); }
    int selected() const { return ListView_GetNextItem(window_, -1, LVNI_SELECTED); }
    RECT itemRect(int index) const {
        RECT rect{};
        ListView_GetItemRect(window_, index, &rect, LVIR_BOUNDS);
        return rect;
    }
    void setColumnWidth(int width) const { ListView_SetColumnWidth(window_, 0, width); }
    void setColumnText(const std::wstring& text) const {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT;
        column.pszText = const_cast<wchar_t*>(text.c_str());
        ListView_SetColumn(window_, 0, &column);
    }
    void redrawItems(int first, int last) const { ListView_RedrawItems(window_, first, last); }
};

class ProgressBarControl : public Control {
  public:
    using Control::Control;

    void setRange(int maximum) const { SendMessageW(window_, PBM_SETRANGE32, 0, maximum); }
    void setPosition(int position) const { SendMessageW(window_, PBM_SETPOS, position, 0); }
};

class StatusBarControl : public Control {
  public:
    using Control::Control;

    void setPartRightEdges(const int* edges, int count) const {
        SendMessageW(window_, SB_SETPARTS, count, reinterpret_cast<LPARAM>(edges));
    }
    void setPartText(int part, const std::wstring& text) const {
        SendMessageW(window_, SB_SETTEXTW, part, reinterpret_cast<LPARAM>(text.c_str()));
    }
};

class ButtonControl : public Control {
  public:
    using Control::Control;

    void invalidate() const { InvalidateRect(window_, nullptr, TRUE); }
};

} // namespace dustbane::win32
