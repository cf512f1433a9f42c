#include "options/win32/policy_marks.h"

#include "platform/win32/controls.h"
#include "platform/win32/text.h"

#include <algorithm>

namespace dustbane::win32 {

namespace {

RECT boundsInParent(HWND control) {
    RECT bounds{};
    GetWindowRect(control, &bounds);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&bounds), 2);
    return bounds;
}

bool hasButtonType(HWND control, LONG_PTR type) {
    wchar_t className[16] = {};
    GetClassNameW(control, className, 16);
    return lstrcmpiW(className, L"Button") == 0 &&
           (GetWindowLongPtrW(control, GWL_STYLE) & BS_TYPEMASK) == type;
}

bool isCheckBox(HWND control) {
    return hasButtonType(control, BS_AUTOCHECKBOX) || hasButtonType(control, BS_CHECKBOX);
}

bool encloses(const RECT& outer, const RECT& inner) {
    return outer.left <= inner.left && outer.right >= inner.right && outer.top <= inner.top &&
           outer.bottom >= inner.bottom;
}

// The style, not IsWindowVisible: the page may be hidden while it is filled.
bool shown(HWND control) {
    return (GetWindowLongPtrW(control, GWL_STYLE) & WS_VISIBLE) != 0;
}

template <typename Visit> void forEachSibling(HWND control, Visit visit) {
    for (HWND sibling = GetWindow(GetParent(control), GW_CHILD); sibling;
         sibling = GetWindow(sibling, GW_HWNDNEXT)) {
        if (sibling != control && shown(sibling)) {
            visit(sibling, boundsInParent(sibling));
        }
    }
}

// The group box around the control, or nullptr.
HWND groupAround(HWND control) {
    const RECT bounds = boundsInParent(control);
    HWND found = nullptr;
    forEachSibling(control, [&](HWND sibling, const RECT& other) {
        if (hasButtonType(sibling, BS_GROUPBOX) && encloses(other, bounds)) {
            found = sibling;
        }
    });
    return found;
}

// Where free room to the right of a rectangle ends: at the first sibling it would run into,
// else at the edge of the group box around it or of the parent, less the same margin as on
// the left.
LONG roomEnd(HWND control, const RECT& bounds) {
    RECT client{};
    GetClientRect(GetParent(control), &client);
    LONG end = client.right - std::max<LONG>(bounds.left, 0);
    forEachSibling(control, [&](HWND, const RECT& other) {
        const bool sameRow = other.top < bounds.bottom && other.bottom > bounds.top;
        if (!sameRow) {
            return;
        }
        if (encloses(other, bounds)) {
            end = std::min(end, other.right - (bounds.left - other.left));
        } else if (other.left >= bounds.right - 1) {
            end = std::min(end, other.left - 2);
        }
    });
    return end;
}

SIZE textExtent(HWND control, const std::wstring& text) {
    HDC context = GetDC(control);
    const HGDIOBJ before =
        SelectObject(context, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
    SIZE extent{};
    GetTextExtentPoint32W(context, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(context, before);
    ReleaseDC(control, context);
    return extent;
}

void resize(HWND control, LONG width, LONG height) {
    SetWindowPos(control, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

const PolicyMarks::Original& PolicyMarks::originalOf(HWND control) {
    auto known = originals_.find(control);
    if (known == originals_.end()) {
        known =
            originals_
                .emplace(control, Original{widen(Control(control).text()), boundsInParent(control)})
                .first;
    }
    return known->second;
}

void PolicyMarks::clear() {
    for (const auto& [control, original] : originals_) {
        SetWindowTextW(control, original.caption.c_str());
        resize(control, original.bounds.right - original.bounds.left,
               original.bounds.bottom - original.bounds.top);
    }
    for (const auto& [control, line] : lines_) {
        ShowWindow(line, SW_HIDE);
    }
}

void PolicyMarks::show(std::initializer_list<HWND> controls, HWND named, bool locked,
                       const std::string& mark) {
    for (HWND control : controls) {
        EnableWindow(control, !locked);
    }
    if (!named || !locked) {
        return;
    }
    const std::wstring text = L"(" + widen(mark) + L")";
    if (!markBeside(named, text) && !markBelow(named, text)) {
        markGroup(named, text);
    }
}

bool PolicyMarks::markBeside(HWND named, const std::wstring& text) {
    const Original& original = originalOf(named);
    const std::wstring caption = original.caption + L"  " + text;
    const RECT& bounds = original.bounds;
    const LONG glyph = isCheckBox(named) ? GetSystemMetrics(SM_CXMENUCHECK) + 4 : 0;
    const LONG right = bounds.left + glyph + textExtent(named, caption).cx + 2;
    if (right > roomEnd(named, bounds)) {
        return false;
    }
    SetWindowTextW(named, caption.c_str());
    resize(named, std::max(right, bounds.right) - bounds.left, bounds.bottom - bounds.top);
    return true;
}

bool PolicyMarks::markBelow(HWND named, const std::wstring& text) {
    const RECT& bounds = originalOf(named).bounds;
    const SIZE extent = textExtent(named, text);
    const LONG indent = isCheckBox(named) ? GetSystemMetrics(SM_CXMENUCHECK) + 4 : 0;
    const RECT line{bounds.left + indent, bounds.bottom, bounds.left + indent + extent.cx + 2,
                    bounds.bottom + extent.cy};
    RECT client{};
    GetClientRect(GetParent(named), &client);
    bool free = line.right <= roomEnd(named, line) && line.bottom <= client.bottom;
    HWND& lineControl = lines_[named];
    forEachSibling(named, [&](HWND sibling, const RECT& other) {
        RECT overlap{};
        if (sibling != lineControl && !encloses(other, line) &&
            IntersectRect(&overlap, &other, &line)) {
            free = false;
        }
    });
    if (!free) {
        return false;
    }
    if (!lineControl) {
        lineControl = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 0, 0, GetParent(named),
                                      nullptr, nullptr, nullptr);
        SendMessageW(lineControl, WM_SETFONT, SendMessageW(named, WM_GETFONT, 0, 0), FALSE);
    }
    SetWindowTextW(lineControl, text.c_str());
    SetWindowPos(lineControl, named, line.left, line.top, line.right - line.left,
                 line.bottom - line.top, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    return true;
}

void PolicyMarks::markGroup(HWND named, const std::wstring& text) {
    HWND group = groupAround(named);
    if (!group) {
        return;
    }
    const Original& original = originalOf(group);
    const std::wstring caption = original.caption + L" " + text;
    if (widen(Control(group).text()) != caption) {
        SetWindowTextW(group, caption.c_str());
    }
}

} // namespace dustbane::win32
