#pragma once

#include "platform/win32/text.h"

#include <string>
#include <windows.h>
// After <windows.h>, which they need.
#include <commctrl.h>

namespace dustbane::win32 {

// Thin views of the controls the windows use, in UTF-8; the text is widened here, at the
// call into Windows. They do not own their window: the parent destroys its children.

class Control {
  public:
    Control() = default;
    explicit Control(HWND window) : window_(window) {}

    HWND handle() const { return window_; }
    void move(int left, int top, int width, int height, bool repaint = true) const {
        MoveWindow(window_, left, top, width, height, repaint ? TRUE : FALSE);
    }
    void show(bool visible) const { ShowWindow(window_, visible ? SW_SHOWNA : SW_HIDE); }
    bool visible() const { return IsWindowVisible(window_) != FALSE; }
    void enable(bool enabled) const { EnableWindow(window_, enabled ? TRUE : FALSE); }
    void setText(const std::string& text) const { SetWindowTextW(window_, widen(text).c_str()); }
    std::string text() const {
        std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window_)) + 1, L'\0');
        text.resize(static_cast<size_t>(
            GetWindowTextW(window_, text.data(), static_cast<int>(text.size()))));
        return narrow(text);
    }
    HFONT font() const { return reinterpret_cast<HFONT>(SendMessageW(window_, WM_GETFONT, 0, 0)); }
    void setFont(HFONT font, bool redraw = true) const {
        SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw ? TRUE : FALSE);
    }
    void invalidate() const { InvalidateRect(window_, nullptr, TRUE); }
    // Off, changes draw nothing until it is on again and the control is invalidated.
    void setRedraw(bool redraw) const { SendMessageW(window_, WM_SETREDRAW, redraw, 0); }

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
    void select(int index) const {
        const UINT state = LVIS_SELECTED | LVIS_FOCUSED;
        ListView_SetItemState(window_, index, state, state);
    }
    RECT itemRect(int index) const {
        RECT rect{};
        ListView_GetItemRect(window_, index, &rect, LVIR_BOUNDS);
        return rect;
    }
    void setColumnWidth(int width) const { ListView_SetColumnWidth(window_, 0, width); }
    void setColumnText(const std::string& text) const {
        std::wstring wide = widen(text);
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT;
        column.pszText = wide.data();
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
    void setPartText(int part, const std::string& text) const {
        SendMessageW(window_, SB_SETTEXTW, part, reinterpret_cast<LPARAM>(widen(text).c_str()));
    }
    // Otherwise the bar's height follows its font.
    void setMinHeight(int height) const {
        SendMessageW(window_, SB_SETMINHEIGHT, static_cast<WPARAM>(height), 0);
    }
};

// A push button or a check box.
class ButtonControl : public Control {
  public:
    using Control::Control;

    bool checked() const { return SendMessageW(window_, BM_GETCHECK, 0, 0) == BST_CHECKED; }
    void setChecked(bool checked) const {
        SendMessageW(window_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    }
};

// A drop-down list of texts, addressed by row.
class ComboBoxControl : public Control {
  public:
    using Control::Control;

    void add(const std::string& text) const {
        SendMessageW(window_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(widen(text).c_str()));
    }
    void select(int row) const { SendMessageW(window_, CB_SETCURSEL, row, 0); }
    // -1 when no row is selected.
    int selected() const { return static_cast<int>(SendMessageW(window_, CB_GETCURSEL, 0, 0)); }
};

// A date and time picker that edits a time of day, in minutes after midnight.
class TimePickerControl : public Control {
  public:
    using Control::Control;

    // The picture of the time, as in the user's short time format ("HH:mm", "h:mm tt").
    void setFormat(const std::wstring& format) const {
        SendMessageW(window_, DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(format.c_str()));
    }
    void setMinutes(int minutes) const {
        SYSTEMTIME time{};
        GetLocalTime(&time);
        time.wHour = static_cast<WORD>(minutes / 60);
        time.wMinute = static_cast<WORD>(minutes % 60);
        time.wSecond = 0;
        time.wMilliseconds = 0;
        SendMessageW(window_, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
    }
    int minutes() const {
        SYSTEMTIME time{};
        SendMessageW(window_, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time));
        return time.wHour * 60 + time.wMinute;
    }
};

class UpDownControl : public Control {
  public:
    using Control::Control;

    void setRange(int lowest, int highest) const {
        SendMessageW(window_, UDM_SETRANGE32, lowest, highest);
    }
};

// Tool tips for other controls, each a tool identified by its window.
class ToolTipControl : public Control {
  public:
    using Control::Control;

    void addTool(HWND tool, const std::string& text) const {
        std::wstring wide = widen(text);
        TTTOOLINFOW info = toolInfo(tool, wide);
        info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        SendMessageW(window_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    }
    void setToolText(HWND tool, const std::string& text) const {
        std::wstring wide = widen(text);
        TTTOOLINFOW info = toolInfo(tool, wide);
        SendMessageW(window_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
    }

  private:
    static TTTOOLINFOW toolInfo(HWND tool, std::wstring& text) {
        TTTOOLINFOW info{};
        info.cbSize = sizeof info;
        info.hwnd = GetParent(tool);
        info.uId = reinterpret_cast<UINT_PTR>(tool);
        info.lpszText = text.data();
        return info;
    }
};

} // namespace dustbane::win32
