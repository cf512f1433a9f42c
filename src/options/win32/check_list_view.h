#pragma once

#include <string>
#include <vector>
#include <windows.h>
// Needs windows.h first.
#include <commctrl.h>

namespace dustbane::win32 {

// A list view with a check box on every row and one column without header; does not own
// its window.
class CheckListView {
  public:
    explicit CheckListView(HWND window) : window_(window) {}

    void prepare(HIMAGELIST smallImages) const {
        ListView_SetExtendedListViewStyle(window_, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
        ListView_SetImageList(window_, smallImages, LVSIL_SMALL);
        RECT client{};
        GetClientRect(window_, &client);
        LVCOLUMNW column{};
        column.mask = LVCF_WIDTH;
        column.cx = client.right - GetSystemMetrics(SM_CXVSCROLL);
        ListView_InsertColumn(window_, 0, &column);
    }
    void clear() const { ListView_DeleteAllItems(window_); }
    void append(const std::wstring& text, int image, bool checked) const {
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = ListView_GetItemCount(window_);
        item.pszText = const_cast<wchar_t*>(text.c_str());
        item.iImage = image;
        int index = ListView_InsertItem(window_, &item);
        ListView_SetCheckState(window_, index, checked);
    }
    bool checked(int row) const { return ListView_GetCheckState(window_, row) != FALSE; }
    int selectedCount() const { return static_cast<int>(ListView_GetSelectedCount(window_)); }
    std::vector<size_t> selectedRows() const {
        std::vector<size_t> rows;
        for (int row = ListView_GetNextItem(window_, -1, LVNI_SELECTED); row >= 0;
             row = ListView_GetNextItem(window_, row, LVNI_SELECTED)) {
            rows.push_back(static_cast<size_t>(row));
        }
        return rows;
    }

  private:
    HWND window_;
};

} // namespace dustbane::win32
