#include "app/win32/toolbar.h"

#include "app/win32/pictures.h"
#include "app/win32/resource_ids.h"
#include "app/window_metrics.h"
#include "platform/win32/text.h"
#include "platform/win32/window_base.h"

#include <stdexcept>
#include <windows.h>
// After <windows.h>, which they need.
#include <windowsx.h>

namespace dustbane::win32 {

namespace {

const wchar_t* const toolbarClass = L"DustbaneToolbar";

constexpr std::array<int, toolbarSlotCount> commandIds = {
    IDC_TOOL_CLEAN, IDC_TOOL_ANALYZE, IDC_TOOL_OPTIONS, IDC_TOOL_HELP,
    IDC_TOOL_LOG,   IDC_TOOL_ABOUT,   IDC_TOOL_EXIT};
constexpr std::array<int, toolbarSlotCount> pictureIds = {
    IDI_CLEAN, IDI_ANALYZE, IDI_OPTIONS, IDI_HELP, IDI_LOG, IDI_ABOUT, IDI_EXIT};

ToolbarSlot slotAt(size_t index) {
    return static_cast<ToolbarSlot>(index);
}

size_t indexOf(ToolbarSlot slot) {
    return static_cast<size_t>(slot);
}

// The button whose own picture a face shows; the stop picture is no button's own.
ToolbarSlot ownerOf(CleanPicture picture) {
    return picture == CleanPicture::Analyze ? ToolbarSlot::Analyze : ToolbarSlot::Clean;
}

} // namespace

Toolbar::Toolbar(HINSTANCE instance) : instance_(instance) {}

void Toolbar::create(HWND parent, int dpi) {
    registerClass(instance_, toolbarClass, windowProcedure<Toolbar>,
                  reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    model_.setDpi(dpi);
    loadFaces();
    // A control parent, so that Tab and the arrow keys reach the buttons.
    window_ = CreateWindowExW(WS_EX_CONTROLPARENT, toolbarClass, L"",
                              WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0, model_.height(),
                              parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_TOOLBAR)),
                              instance_, this);
    if (!window_) {
        throw std::runtime_error("The toolbar could not be created.");
    }
    createButtons();
    sync();
}

void Toolbar::setDpi(int dpi) {
    if (dpi == model_.dpi()) {
        return;
    }
    model_.setDpi(dpi);
    loadFaces();
    sync();
}

// Pictures are loaded at the size they are shown: the resources hold each one drawn for the
// usual densities, and the system scales the nearest for any other.
void Toolbar::loadFaces() {
    int dpi = model_.dpi();
    font_ = makeFont(L"Tahoma", buttonFontHeight(dpi), false);
    boldFont_ = makeFont(L"Tahoma", buttonFontHeight(dpi), true);
    for (size_t slot = 0; slot < pictures_.size(); ++slot) {
        PictureSize size = buttonPictureSize(slotAt(slot), dpi);
        pictures_[slot] = loadPicture(instance_, pictureIds[slot], size.width, size.height);
    }
    PictureSize stop = buttonPictureSize(ToolbarSlot::Exit, dpi);
    stopPicture_ = loadPicture(instance_, IDI_STOP, stop.width, stop.height);
}

int Toolbar::focusedCommand() const {
    int slot = slotOf(GetFocus());
    return slot < 0 ? 0 : commandIds[static_cast<size_t>(slot)];
}

void Toolbar::createButtons() {
    tooltip_ = ToolTipControl(CreateWindowExW(
        WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr, instance_, nullptr));
    for (size_t slot = 0; slot < buttons_.size(); ++slot) {
        // One group of tab stops: Tab enters at the first, the arrow keys move along.
        DWORD group = slot == 0 ? WS_GROUP : 0;
        HWND button = CreateWindowExW(
            0, WC_BUTTONW, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | group | BS_OWNERDRAW, 0, 0, 0,
            0, window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(commandIds[slot])), instance_,
            nullptr);
        buttons_[slot] = ButtonControl(button);
        SetWindowSubclass(button, buttonHook, 1, reinterpret_cast<DWORD_PTR>(this));
        tooltip_.addTool(button, "");
    }
}

void Toolbar::applyLanguage(const LanguageTable& language) {
    model_.applyLanguage(language);
    sync();
}

void Toolbar::onlyIcons(Registry& registry, Prompter& prompter) {
    model_.onlyIcons(registry, prompter);
    sync();
}

void Toolbar::showText(Registry& registry, Prompter& prompter) {
    model_.showText(registry, prompter);
    sync();
}

void Toolbar::setRunFace(ToolbarSlot slot, const std::string& caption, CleanPicture picture,
                         const std::string& hint) {
    model_.setCaption(slot, caption);
    model_.setHint(slot, hint);
    facePictures_[indexOf(slot)] = picture;
    sync();
}

// Brings the buttons in line with the model: places, captions (also as window texts, so that
// tools that read windows find them) and tool tips.
void Toolbar::sync() {
    for (size_t slot = 0; slot < buttons_.size(); ++slot) {
        ButtonPlace place = model_.place(slotAt(slot));
        const ButtonControl& button = buttons_[slot];
        button.move(place.left, place.top, place.width, place.height);
        button.setText(model_.caption(slotAt(slot)));
        tooltip_.setToolText(button.handle(), model_.hint(slotAt(slot)));
        button.invalidate();
    }
}

int Toolbar::slotOf(HWND button) const {
    for (size_t slot = 0; slot < buttons_.size(); ++slot) {
        if (buttons_[slot].handle() == button) {
            return static_cast<int>(slot);
        }
    }
    return -1;
}

void Toolbar::drawButton(const DRAWITEMSTRUCT& item) const {
    int slot = slotOf(item.hwndItem);
    if (slot < 0) {
        return;
    }
    HDC dc = item.hDC;
    RECT bounds = item.rcItem;
    bool pressed = (item.itemState & ODS_SELECTED) != 0;
    bool hot = slot == hotSlot_;
    FillRect(dc, &bounds, GetSysColorBrush(hot || pressed ? COLOR_3DLIGHT : COLOR_BTNFACE));
    if (pressed) {
        DrawEdge(dc, &bounds, BDR_SUNKENOUTER, BF_RECT);
    } else if (hot) {
        DrawEdge(dc, &bounds, BDR_RAISEDINNER, BF_RECT);
    }
    ToolbarSlot toolbarSlot = slotAt(static_cast<size_t>(slot));
    std::wstring caption = widen(model_.caption(toolbarSlot));
    auto [picture, size] = shownPicture(toolbarSlot);
    ButtonFace face = buttonFace(size, bounds.right - bounds.left, bounds.bottom - bounds.top,
                                 !caption.empty(), model_.dpi());
    int shift = pressed ? 1 : 0;
    DrawIconEx(dc, face.picture.left + shift, face.picture.top + shift, picture, face.picture.width,
               face.picture.height, 0, nullptr, DI_NORMAL);
    if (!caption.empty()) {
        HGDIOBJ oldFont =
            SelectObject(dc, toolbarSlot == ToolbarSlot::Clean ? boldFont_.get() : font_.get());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        RECT text{face.caption.left + shift, face.caption.top + shift,
                  face.caption.left + face.caption.width + shift,
                  face.caption.top + face.caption.height + shift};
        DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
                  DT_CENTER | DT_TOP | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
        SelectObject(dc, oldFont);
    }
    if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) {
        RECT focus = bounds;
        int inset = metrics::scaled(3, model_.dpi());
        InflateRect(&focus, -inset, -inset);
        DrawFocusRect(dc, &focus);
    }
}

std::pair<HICON, PictureSize> Toolbar::shownPicture(ToolbarSlot slot) const {
    const std::optional<CleanPicture>& face = facePictures_[indexOf(slot)];
    if (face == CleanPicture::Stop) {
        // A full square like the others, not the shorter clean one.
        return {stopPicture_.get(), buttonPictureSize(ToolbarSlot::Exit, model_.dpi())};
    }
    ToolbarSlot owner = face ? ownerOf(*face) : slot;
    return {pictures_[indexOf(owner)].get(), buttonPictureSize(owner, model_.dpi())};
}

void Toolbar::showMenu(POINT screen) const {
    UniqueMenu menu(CreatePopupMenu());
    AppendMenuW(menu.get(), MF_STRING | (iconsOnly() ? 0 : MF_CHECKED), IDM_SHOW_TEXT,
                L"Show Text");
    AppendMenuW(menu.get(), MF_STRING | (iconsOnly() ? MF_CHECKED : 0), IDM_ONLY_ICONS,
                L"Only Icons");
    TrackPopupMenu(menu.get(), TPM_RIGHTBUTTON, screen.x, screen.y, 0, GetParent(window_), nullptr);
}

LRESULT CALLBACK Toolbar::buttonHook(HWND button, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<Toolbar*>(data);
    if (message == WM_MOUSEMOVE && self->hotSlot_ != self->slotOf(button)) {
        int previous = self->hotSlot_;
        self->hotSlot_ = self->slotOf(button);
        TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, button, 0};
        TrackMouseEvent(&track);
        if (previous >= 0) {
            self->buttons_[static_cast<size_t>(previous)].invalidate();
        }
        InvalidateRect(button, nullptr, FALSE);
    } else if (message == WM_MOUSELEAVE) {
        self->hotSlot_ = -1;
        InvalidateRect(button, nullptr, FALSE);
    }
    return DefSubclassProc(button, message, wParam, lParam);
}

LRESULT Toolbar::handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_DRAWITEM:
        drawButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_COMMAND:
        return SendMessageW(GetParent(window), WM_COMMAND, wParam, lParam);
    case WM_CONTEXTMENU: {
        POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (point.x == -1 && point.y == -1) {
            point = {0, 0};
            ClientToScreen(window, &point);
        }
        showMenu(point);
        return 0;
    }
    case WM_SIZE:
        // The etched line at the bottom moves with the height.
        InvalidateRect(window, nullptr, TRUE);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        RECT client;
        GetClientRect(window, &client);
        client.top = client.bottom - 2;
        DrawEdge(dc, &client, EDGE_ETCHED, BF_TOP);
        EndPaint(window, &paint);
        return 0;
    }
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace dustbane::win32
