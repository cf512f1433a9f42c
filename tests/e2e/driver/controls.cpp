#include "driver/controls.h"

#include "driver/remote_buffer.h"
#include "driver/window.h"
#include "platform/win32/text.h"

#include <algorithm>
#include <commctrl.h>

namespace dustbane::e2e {

namespace {

constexpr size_t textCapacity = 4096;

// Asks the list for one item with the item structure and its text buffer in the list's own
// process; answers the item as the list filled it, its text pointer pointing over there.
LVITEMW queryItem(HWND list, UINT message, LVITEMW item, std::wstring* text) {
    RemoteBuffer buffer(processOf(list), sizeof(LVITEMW) + textCapacity * sizeof(wchar_t));
    auto* remoteText =
        reinterpret_cast<wchar_t*>(static_cast<char*>(buffer.address()) + sizeof(LVITEMW));
    item.pszText = remoteText;
    item.cchTextMax = static_cast<int>(textCapacity);
    buffer.write(&item, sizeof item);
    auto length = sendMessage(list, message, static_cast<WPARAM>(item.iItem),
                              reinterpret_cast<LPARAM>(buffer.address()));
    buffer.read(&item, sizeof item);
    if (text) {
        std::wstring received(textCapacity, L'\0');
        buffer.read(received.data(), received.size() * sizeof(wchar_t), sizeof(LVITEMW));
        received.resize(std::min(static_cast<size_t>(length), textCapacity - 1));
        *text = received;
    }
    return item;
}

} // namespace

int listViewCount(HWND list) {
    return static_cast<int>(sendMessage(list, LVM_GETITEMCOUNT, 0, 0));
}

std::string listViewText(HWND list, int row, int column) {
    LVITEMW item{};
    item.iItem = row;
    item.iSubItem = column;
    std::wstring text;
    queryItem(list, LVM_GETITEMTEXTW, item, &text);
    return win32::narrow(text);
}

int listViewImage(HWND list, int row) {
    LVITEMW item{};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    return queryItem(list, LVM_GETITEMW, item, nullptr).iImage;
}

std::vector<std::string> listViewRows(HWND list, int column) {
    std::vector<std::string> rows;
    int count = listViewCount(list);
    for (int row = 0; row < count; ++row) {
        rows.push_back(listViewText(list, row, column));
    }
    return rows;
}

std::string listViewColumnText(HWND list, int column) {
    LVCOLUMNW header{};
    header.mask = LVCF_TEXT;
    header.cchTextMax = static_cast<int>(textCapacity);
    RemoteBuffer buffer(processOf(list), sizeof header + textCapacity * sizeof(wchar_t));
    header.pszText =
        reinterpret_cast<wchar_t*>(static_cast<char*>(buffer.address()) + sizeof header);
    buffer.write(&header, sizeof header);
    std::wstring text(textCapacity, L'\0');
    buffer.write(text.data(), text.size() * sizeof(wchar_t), sizeof header);
    sendMessage(list, LVM_GETCOLUMNW, static_cast<WPARAM>(column),
                reinterpret_cast<LPARAM>(buffer.address()));
    buffer.read(text.data(), text.size() * sizeof(wchar_t), sizeof header);
    text.resize(text.find(L'\0'));
    return win32::narrow(text);
}

void selectListViewRow(HWND list, int row) {
    const auto setState = [list](int index, UINT state) {
        LVITEMW item{};
        item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        item.state = state;
        RemoteBuffer buffer(processOf(list), sizeof item);
        buffer.write(&item, sizeof item);
        sendMessage(list, LVM_SETITEMSTATE, static_cast<WPARAM>(index),
                    reinterpret_cast<LPARAM>(buffer.address()));
    };
    // Index -1 stands for every row.
    setState(-1, 0);
    setState(row, LVIS_SELECTED | LVIS_FOCUSED);
    sendMessage(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

RECT listViewRowRect(HWND list, int row) {
    RECT rect{};
    rect.left = LVIR_BOUNDS;
    RemoteBuffer buffer(processOf(list), sizeof rect);
    buffer.write(&rect, sizeof rect);
    sendMessage(list, LVM_GETITEMRECT, static_cast<WPARAM>(row),
                reinterpret_cast<LPARAM>(buffer.address()));
    buffer.read(&rect, sizeof rect);
    return rect;
}

int statusBarPartCount(HWND statusBar) {
    return static_cast<int>(sendMessage(statusBar, SB_GETPARTS, 0, 0));
}

std::string statusBarText(HWND statusBar, int part) {
    // The text length decides the buffer: SB_GETTEXTW writes without a limit.
    auto length = LOWORD(sendMessage(statusBar, SB_GETTEXTLENGTHW, static_cast<WPARAM>(part), 0));
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    RemoteBuffer buffer(processOf(statusBar), text.size() * sizeof(wchar_t));
    buffer.write(text.data(), text.size() * sizeof(wchar_t));
    sendMessage(statusBar, SB_GETTEXTW, static_cast<WPARAM>(part),
                reinterpret_cast<LPARAM>(buffer.address()));
    buffer.read(text.data(), text.size() * sizeof(wchar_t));
    text.resize(length);
    return win32::narrow(text);
}

} // namespace dustbane::e2e
