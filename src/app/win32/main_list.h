#pragma once

#include "app/win32/text_widths.h"
#include "app/window_metrics.h"
#include "platform/run_model.h"
#include "platform/win32/controls.h"
#include "platform/win32/handles.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>
#include <windows.h>

namespace dustbane::win32 {

// The main window's one-column list: an owner-data list view that draws the run model's
// lines, so that adding a line costs the same at line 100,000 as at line 1. The model's
// changes reach the screen when sync() runs; the main window decides how often.
class MainList {
  public:
    MainList(HINSTANCE instance, const RunModel& model);
    MainList(const MainList&) = delete;
    MainList& operator=(const MainList&) = delete;

    void create(HWND parent, int dpi);
    HWND handle() const { return list_.handle(); }
    // Images, font and column padding for another density.
    void setDpi(int dpi);
    void move(int left, int top, int width, int height);

    // A line went onto the end of the model: the next sync scrolls to the last line.
    void lineAdded() { added_ = true; }
    // Shows the lines and the header as the model has them now.
    void sync();

    int selected() const { return list_.selected(); }
    // Selects the line and scrolls it into view.
    void showSelected(int line) const;
    // Where a keyboard-opened context menu goes: below the selected line, or the list's corner.
    POINT menuPoint() const;

    // LVN_GETDISPINFO and LVN_ODFINDITEM, which an owner-data list needs answered, with the
    // result to return; nullopt for the notifications it leaves to the window.
    std::optional<LRESULT> answer(const NMHDR& header);

  private:
    int count() const { return static_cast<int>(model_.lines().size()); }
    // Measures the lines not measured yet, widening the column's wanted width.
    void measureNewLines();
    void fitColumn();

    HINSTANCE instance_;
    const RunModel& model_;
    ListViewControl list_;
    UniqueImageList images_;
    UniqueFont font_;
    int dpi_ = 0;
    std::wstring shownText_;
    // What the list view shows of the model.
    uint64_t drawnRevision_ = 0;
    int drawnCount_ = 0;
    std::string drawnHeader_;
    bool added_ = false;
    TextWidths widths_;
    size_t measuredLines_ = 0;
    int widestPixels_ = 0;
    int columnWidth_ = -1;
};

} // namespace dustbane::win32
