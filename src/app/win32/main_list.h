#pragma once

#include "app/win32/text_widths.h"
#include "app/window_metrics.h"
#include "platform/win32/controls.h"
#include "platform/win32/handles.h"
#include "platform/window_operations.h"

#include <optional>
#include <string>
#include <vector>
#include <windows.h>

namespace dustbane::win32 {

// The main window's one-column list: an owner-data list view over lines held in memory, so
// that adding a line costs the same at line 100,000 as at line 1. Changes reach the screen
// when flush() runs; the main window decides how often.
class MainList {
  public:
    explicit MainList(HINSTANCE instance);
    MainList(const MainList&) = delete;
    MainList& operator=(const MainList&) = delete;

    void create(HWND parent, int dpi);
    HWND handle() const { return list_.handle(); }
    // Images, font and column padding for another density.
    void setDpi(int dpi);
    void move(int left, int top, int width, int height);

    void clear();
    void add(const std::string& caption, LineImage image);
    int count() const { return static_cast<int>(lines_.size()); }
    const std::string& caption(int index) const {
        return lines_.at(static_cast<size_t>(index)).caption;
    }
    void setCaption(int index, const std::string& caption);
    void remove(int index);
    void setHeader(const std::string& text) const;
    int selected() const { return list_.selected(); }
    // Where a keyboard-opened context menu goes: below the selected line, or the list's corner.
    POINT menuPoint() const;

    bool dirty() const { return dirty_; }
    // Shows the lines as they are now and scrolls to the last one when lines were added.
    void flush();

    // LVN_GETDISPINFO and LVN_ODFINDITEM, which an owner-data list needs answered, with the
    // result to return; nullopt for the notifications it leaves to the window.
    std::optional<LRESULT> answer(const NMHDR& header);

  private:
    struct Line {
        std::string caption;
        LineImage image;
    };

    void widenColumn(const std::string& caption);
    void fitColumn();

    HINSTANCE instance_;
    ListViewControl list_;
    UniqueImageList images_;
    UniqueFont font_;
    int dpi_ = 0;
    std::vector<Line> lines_;
    std::wstring shownText_;
    bool dirty_ = false;
    bool added_ = false;
    TextWidths widths_;
    int widestPixels_ = 0;
    int columnWidth_ = -1;
};

} // namespace dustbane::win32
