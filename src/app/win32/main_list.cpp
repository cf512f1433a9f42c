#include "app/win32/main_list.h"

#include "app/line_search.h"
#include "app/win32/dpi.h"
#include "app/win32/pictures.h"
#include "app/win32/resource_ids.h"
#include "platform/win32/text.h"

#include <algorithm>
#include <stdexcept>

namespace dustbane::win32 {

MainList::MainList(HINSTANCE instance) : instance_(instance) {}

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
    for (const Line& line : lines_) {
        widenColumn(line.caption);
    }
    fitColumn();
}

void MainList::move(int left, int top, int width, int height) {
    list_.move(left, top, width, height);
    fitColumn();
}

void MainList::clear() {
    lines_.clear();
    widestPixels_ = 0;
    // Done at once: the old count must never outlive its lines.
    list_.setItemCount(0, 0);
    fitColumn();
    dirty_ = false;
    added_ = false;
}

void MainList::add(const std::string& caption, LineImage image) {
    lines_.push_back({caption, image});
    widenColumn(caption);
    dirty_ = true;
    added_ = true;
}

void MainList::setCaption(int index, const std::string& caption) {
    lines_.at(static_cast<size_t>(index)).caption = caption;
    widenColumn(caption);
    list_.redrawItems(index, index);
}

void MainList::remove(int index) {
    lines_.erase(lines_.begin() + index);
    dirty_ = true;
}

void MainList::setHeader(const std::string& text) const {
    list_.setColumnText(text);
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

void MainList::flush() {
    if (!dirty_) {
        return;
    }
    dirty_ = false;
    list_.setItemCount(count(), LVSICF_NOSCROLL | LVSICF_NOINVALIDATEALL);
    InvalidateRect(list_.handle(), nullptr, FALSE);
    if (added_ && count() > 0) {
        list_.ensureVisible(count() - 1);
    }
    added_ = false;
    fitColumn();
}

void MainList::widenColumn(const std::string& caption) {
    const int pixels =
        widths_.width(widen(caption)) + metrics::scaled(metrics::listColumnPadding, dpi_);
    if (pixels > widestPixels_) {
        widestPixels_ = pixels;
        dirty_ = true;
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
        const Line& line = lines_[static_cast<size_t>(item.iItem)];
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
            count(), [this](int line) -> const std::string& { return caption(line); },
            narrow(find.lvfi.psz), find.iStart, (find.lvfi.flags & LVFI_WRAP) != 0);
    }
    return std::nullopt;
}

} // namespace dustbane::win32
