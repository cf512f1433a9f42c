#include "options/win32/target_boxes.h"

#include "options/win32/options_ids.h"
#include "platform/win32/text.h"

#include <algorithm>
#include <array>

namespace dustbane::win32 {

namespace {

// In dialog units, as the page's template once placed them by hand.
constexpr int groupLeft = 6;
constexpr int groupTop = 6;
constexpr int groupWidth = 280;
constexpr int groupGap = 6;
constexpr int boxLeft = 14;
constexpr int boxWidth = 264;
constexpr int boxHeight = 10;
constexpr int rowHeight = 13;
// From a group's top edge to its first box, and below its last row.
constexpr int firstRowOffset = 13;
constexpr int bottomMargin = 3;

struct Group {
    TargetGroup group;
    int id;
};

constexpr std::array<Group, 2> groups = {{
    {TargetGroup::Windows, IDC_WINDOWS_GROUP},
    {TargetGroup::Applications, IDC_APPLICATIONS_GROUP},
}};

RECT inPixels(HWND page, int left, int top, int width, int height) {
    RECT rect{left, top, left + width, top + height};
    MapDialogRect(page, &rect);
    return rect;
}

void place(HWND control, HWND after, const RECT& rect, UINT flags) {
    SetWindowPos(control, after, rect.left, rect.top, rect.right - rect.left,
                 rect.bottom - rect.top, SWP_NOACTIVATE | flags);
}

} // namespace

void createTargetBoxes(HWND page, HINSTANCE instance, const TargetSettings& targets) {
    const auto font = SendMessageW(page, WM_GETFONT, 0, 0);
    int top = groupTop;
    for (const Group& group : groups) {
        int rows = 0;
        for (const TargetSetting& target : targets) {
            rows = target.group == group.group ? std::max(rows, target.row + 1) : rows;
        }
        HWND groupBox = GetDlgItem(page, group.id);
        place(groupBox, nullptr,
              inPixels(page, groupLeft, top, groupWidth,
                       firstRowOffset + rows * rowHeight + bottomMargin),
              SWP_NOZORDER);
        // The tab order follows the rows, each group's boxes after its group box.
        HWND previous = groupBox;
        for (int row = 0; row < rows; ++row) {
            for (size_t i = 0; i < targets.size(); ++i) {
                const TargetSetting& target = targets[i];
                if (target.group != group.group || target.row != row) {
                    continue;
                }
                HWND box = CreateWindowExW(
                    0, L"BUTTON", widen(target.flag.caption).c_str(),
                    WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 0, 0, 0, 0, page,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDX_FIRST_TARGET + i)), instance,
                    nullptr);
                SendMessageW(box, WM_SETFONT, static_cast<WPARAM>(font), FALSE);
                place(box, previous,
                      inPixels(page, boxLeft, top + firstRowOffset + row * rowHeight, boxWidth,
                               boxHeight),
                      0);
                previous = box;
            }
        }
        top += firstRowOffset + rows * rowHeight + bottomMargin + groupGap;
    }
}

} // namespace dustbane::win32
