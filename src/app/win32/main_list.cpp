#include "app/win32/main_list.h"

#include "app/line_search.h"
#include "app/win32/dpi.h"
#include "app/win32/pictures.h"
#include "app/win32/resource_ids.h"
#include "platform/win32/text.h"

#include <algorithm>
#include <stdexcept>

namespace dustbane::win32 {

MainList::MainList(HINSTANCE instance, const RunModel& model)
    : instance_(instance), model_(model) {}

void MainList::create(HWND parent, int dpi) {
    HWND window = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                                  WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA |
                                      LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER,
                                  0, 0, 0, 0, parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_MAIN_LIST)),
                                  instance_, nullptr);
    if (!window) {
        throw std::runtime_error("The main list could not be created.");
    }
    list_ = ListViewControl(window);
    ListView_SetExtendedListViewStyle(window, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = 100;
    column.pszText = const_cast<wchar_t*>(L"");
    ListView_InsertColumn(window, 0, &column);
    setDpi(dpi);
}

void MainList::setDpi(int dpi) {
    if (dpi == dpi_) {
        return;
    }
    dpi_ = dpi;
    HWND window = list_.handle();
    UniqueImageList images = makeListImages(instance_, dpi);
    ListView_SetImageList(window, images.get(), LVSIL_SMALL);
    images_ = std::move(images);
    // The list keeps its own font otherwise, made for the density it started at.
    UniqueFont font = messageFont(dpi);
    if (font) {
        list_.setFont(font.get());
        font_ = std::move(font);
    }
    // Every width measured so far was for the old font.
    widths_.setFont(list_.font());
    widestPixels_ = 0;
    measuredLines_ = 0;
    measureNewLines();
    fitColumn();
}

void MainList::move(int left, int top, int width, int height) {
    list_.move(left, top, width, height);
    fitColumn();
}

POINT MainList::menuPoint() const {
    RECT rect{};
    int line = selected();
    if (line >= 0) {
        rect = list_.itemRect(line);
    }
    POINT point{rect.left + 8, line >= 0 ? rect.bottom : 8};
    ClientToScreen(list_.handle(), &point);
    return point;
}

void MainList::sync() {
    const int lines = count();
    if (model_.linesRevision() != drawnRevision_) {
        // Lines were cleared, changed or removed: start again from none, as a cleared list
        // does, without selection or scroll position.
        drawnRevision_ = model_.linesRevision();
        list_.setItemCount(0, 0);
        drawnCount_ = 0;
        widestPixels_ = 0;
        measuredLines_ = 0;
    }
    if (lines != drawnCount_) {
        drawnCount_ = lines;
        // The new count and the scroll to the last line each paint the whole list at once
        // otherwise: one paint, after both, is what a frame needs.
        list_.setRedraw(false);
        list_.setItemCount(lines, LVSICF_NOSCROLL | LVSICF_NOINVALIDATEALL);
        if (added_ && lines > 0) {
            list_.ensureVisible(lines - 1);
        }
        list_.setRedraw(true);
        InvalidateRect(list_.handle(), nullptr, FALSE);
    }
    added_ = false;
    if (model_.header() != drawnHeader_) {
        drawnHeader_ = model_.header();
        list_.setColumnText(drawnHeader_);
    }
    measureNewLines();
    fitColumn();
}

void MainList::showSelected(int line) const {
    list_.select(line);
    list_.ensureVisible(line);
}

void MainList::measureNewLines() {
    const std::vector<ListLine>& lines = model_.lines();
    const int padding = metrics::scaled(metrics::listColumnPadding, dpi_);
    for (; measuredLines_ < lines.size(); ++measuredLines_) {
        widestPixels_ =
            std::max(widestPixels_, widths_.width(widen(lines[measuredLines_].caption)) + padding);
    }
}

void MainList::fitColumn() {
    RECT client{};
    GetClientRect(list_.handle(), &client);
    int width = std::max<int>(client.right - client.left, widestPixels_);
    if (width != columnWidth_) {
        columnWidth_ = width;
        list_.setColumnWidth(width);
    }
}

std::optional<LRESULT> MainList::answer(const NMHDR& header) {
    if (header.code == LVN_GETDISPINFOW) {
        auto& item = reinterpret_cast<NMLVDISPINFOW&>(const_cast<NMHDR&>(header)).item;
        if (item.iItem < 0 || item.iItem >= count()) {
            return 0;
        }
        const ListLine& line = model_.lines()[static_cast<size_t>(item.iItem)];
        if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
            shownText_ = widen(line.caption);
            lstrcpynW(item.pszText, shownText_.c_str(), item.cchTextMax);
        }
        if (item.mask & LVIF_IMAGE) {
            item.iImage = static_cast<int>(line.image);
        }
        return 0;
    }
    if (header.code == LVN_ODFINDITEMW) {
        // Typing in the list: the answer is a line index, so "no line" must be -1, never the
        // 0 that would select the first line.
        const auto& find = reinterpret_cast<const NMLVFINDITEMW&>(header);
        if (!(find.lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) || !find.lvfi.psz) {
            return -1;
        }
        return findLineStartingWith(
            count(),
            [this](int line) -> const std::string& {
                return model_.lines()[static_cast<size_t>(line)].caption;
            },
            narrow(find.lvfi.psz), find.iStart, (find.lvfi.flags & LVFI_WRAP) != 0);
    }
    return std::nullopt;
}

} // namespace dustbane::win32
