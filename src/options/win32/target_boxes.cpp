#include "options/win32/target_boxes.h"

#include "options/win32/options_ids.h"
#include "platform/win32/text.h"

#include <algorithm>
#include <array>
#include <vector>

namespace dustbane::win32 {

namespace {

// In dialog units, as the page's template once placed them by hand.
constexpr int groupLeft = 6;
constexpr int groupTop = 6;
constexpr int groupGap = 6;
// From a group's left edge to its boxes, and from their right edge to the group's.
constexpr int boxIndent = 8;
constexpr int boxRightMargin = 8;
constexpr int boxHeight = 10;
constexpr int rowHeight = 13;
// From a group's top edge to its first box, and below its last row.
constexpr int firstRowOffset = 13;
constexpr int bottomMargin = 3;

struct Group {
    TargetGroup group;
    int id;
    // Groups of one column stack from the page's top.
    int column;
};

struct PageLayout {
    std::vector<Group> groups;
    int groupWidth;
};

PageLayout layoutOf(BoxPage page) {
    if (page == BoxPage::Clean) {
        return {{{TargetGroup::Windows, IDC_WINDOWS_GROUP, 0},
                 {TargetGroup::Applications, IDC_APPLICATIONS_GROUP, 0}},
                280};
    }
    return {{{TargetGroup::Browsers, IDC_BROWSERS_GROUP, 0},
             {TargetGroup::ShaderCaches, IDC_SHADER_CACHES_GROUP, 0},
             {TargetGroup::Programs, IDC_PROGRAMS_GROUP, 1},
             {TargetGroup::Administrator, IDC_ADMINISTRATOR_GROUP, 1}},
            137};
}

RECT inPixels(HWND page, int left, int top, int width, int height) {
    RECT rect{left, top, left + width, top + height};
    MapDialogRect(page, &rect);
    return rect;
}

void place(HWND control, HWND after, const RECT& rect, UINT flags) {
    SetWindowPos(control, after, rect.left, rect.top, rect.right - rect.left,
                 rect.bottom - rect.top, SWP_NOACTIVATE | flags);
}

HWND createControl(HWND page, HINSTANCE instance, const wchar_t* type, const std::string& text,
                   DWORD style, int id) {
    HWND control =
        CreateWindowExW(0, type, widen(text).c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0,
                        page, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    SendMessageW(control, WM_SETFONT, SendMessageW(page, WM_GETFONT, 0, 0), FALSE);
    return control;
}

int rowsOf(const TargetSettings& targets, TargetGroup group) {
    int rows = 0;
    for (const TargetSetting& target : targets) {
        rows = target.group == group ? std::max(rows, target.row + 1) : rows;
    }
    return rows;
}

// A line below a group's boxes, and the rows it takes (its text wraps).
struct GroupNote {
    const char* text = nullptr;
    int rows = 0;
    int id = 0;
};

GroupNote noteOf(TargetGroup group, bool elevated) {
    if (group == TargetGroup::ShaderCaches) {
        return {"Games may stutter once while the driver rebuilds its shaders.", 2,
                IDC_SHADER_CACHES_NOTE};
    }
    if (group == TargetGroup::Administrator && !elevated) {
        return {"needs administrator rights", 1, IDC_ADMINISTRATOR_NOTE};
    }
    return {};
}

} // namespace

void createTargetBoxes(HWND page, HINSTANCE instance, const TargetSettings& targets, BoxPage on,
                       bool elevated) {
    const PageLayout layout = layoutOf(on);
    std::vector<int> tops;
    for (const Group& group : layout.groups) {
        tops.resize(std::max(tops.size(), static_cast<size_t>(group.column + 1)), groupTop);
        int& top = tops[static_cast<size_t>(group.column)];
        const int left = groupLeft + group.column * (layout.groupWidth + groupGap);
        const bool barred = group.group == TargetGroup::Administrator && !elevated;
        const GroupNote note = noteOf(group.group, elevated);
        const int boxRows = rowsOf(targets, group.group);
        const int rows = boxRows + note.rows;
        HWND groupBox = GetDlgItem(page, group.id);
        place(groupBox, nullptr,
              inPixels(page, left, top, layout.groupWidth,
                       firstRowOffset + rows * rowHeight + bottomMargin),
              SWP_NOZORDER);
        auto rowsRect = [&](int row, int count) {
            return inPixels(page, left + boxIndent, top + firstRowOffset + row * rowHeight,
                            layout.groupWidth - boxIndent - boxRightMargin,
                            boxHeight + (count - 1) * rowHeight);
        };
        // The tab order follows the rows, each group's boxes after its group box.
        HWND previous = groupBox;
        for (int row = 0; row < boxRows; ++row) {
            for (size_t i = 0; i < targets.size(); ++i) {
                const TargetSetting& target = targets[i];
                if (target.group != group.group || target.row != row) {
                    continue;
                }
                HWND box = createControl(page, instance, L"BUTTON", target.flag.caption,
                                         WS_TABSTOP | BS_AUTOCHECKBOX,
                                         IDX_FIRST_TARGET + static_cast<int>(i));
                EnableWindow(box, !barred);
                place(box, previous, rowsRect(row, 1), 0);
                previous = box;
            }
        }
        if (note.text) {
            place(createControl(page, instance, L"STATIC", note.text, 0, note.id), previous,
                  rowsRect(boxRows, note.rows), 0);
        }
        top += firstRowOffset + rows * rowHeight + bottomMargin + groupGap;
    }
}

} // namespace dustbane::win32
