#include "app/win32/about_box.h"

#include "app/win32/dpi.h"
#include "app/win32/pictures.h"
#include "app/win32/resource_ids.h"
#include "app/window_metrics.h"
#include "platform/win32/text.h"
#include "platform/win32/window_base.h"

#include <stdexcept>

namespace dustbane::win32 {

namespace {

const wchar_t* const aboutClass = L"TAboutBox";
const wchar_t* const programLine = L"Dustbane 1.0";
const wchar_t* const makerLine = L"Quillfen Software, December 2026";
const wchar_t* const webAddress = L"https://www.quillfen.example/dustbane";
constexpr DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;

constexpr COLORREF skyBlue = RGB(135, 206, 235);
constexpr COLORREF linkColour = RGB(0, 51, 153);

// The design at 96 dots per inch; applyDpi scales it.
constexpr int iconSize = 48;
constexpr int iconTop = 22;
constexpr int margin = 20;
constexpr int textLeft = margin + iconSize + 16;
constexpr int buttonBarHeight = 46;
constexpr int buttonWidth = 88;
constexpr int buttonHeight = 26;

struct LabelPlace {
    int top;
    int height;
};
constexpr LabelPlace programPlace{22, 24};
constexpr LabelPlace makerPlace{56, 18};
constexpr LabelPlace linkPlace{82, 18};

HMENU childId(int id) {
    return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
}

} // namespace

AboutBox::AboutBox(HINSTANCE instance, Shell& shell) : instance_(instance), shell_(shell) {}

AboutBox::~AboutBox() {
    detachAndDestroy(window_);
}

void AboutBox::create(HWND owner) {
    owner_ = owner;
    pageBrush_ = UniqueBrush(CreateSolidBrush(skyBlue));
    registerClass(instance_, aboutClass, windowProcedure<AboutBox>, pageBrush_.get());
    window_ =
        CreateWindowExW(WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, aboutClass, L"About Dustbane",
                        style, 0, 0, 0, 0, owner, nullptr, instance_, this);
    if (!window_) {
        throw std::runtime_error("The about box could not be created.");
    }
    auto label = [this](const wchar_t* text, DWORD extra, int id) {
        return Control(CreateWindowExW(0, WC_STATICW, text,
                                       WS_CHILD | WS_VISIBLE | SS_NOPREFIX | extra, 0, 0, 0, 0,
                                       window_, childId(id), instance_, nullptr));
    };
    program_ = label(programLine, 0, 0);
    maker_ = label(makerLine, 0, 0);
    link_ = label(webAddress, SS_NOTIFY, IDC_ABOUT_LINK);
    ok_ = ButtonControl(CreateWindowExW(0, WC_BUTTONW, L"OK",
                                        WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 0,
                                        0, 0, window_, childId(IDOK), instance_, nullptr));
    applyDpi(windowDpi(window_));
}

// Sizes, places, fonts and the icon for the density, keeping the box where it is.
void AboutBox::applyDpi(int dpi) {
    dpi_ = dpi;
    auto px = [dpi](int pixels) { return metrics::scaled(pixels, dpi); };
    titleFont_ = makeFont(L"Tahoma", px(18), true);
    textFont_ = makeFont(L"Tahoma", px(13), false);
    linkFont_ = makeFont(L"Tahoma", px(13), false, true);
    programIcon_ = loadPicture(instance_, IDI_PROGRAM, px(iconSize), px(iconSize));

    int width = px(metrics::aboutWidth);
    int height = px(metrics::aboutHeight);
    RECT outer{0, 0, width, height};
    AdjustWindowRectEx(&outer, style, FALSE, WS_EX_DLGMODALFRAME);
    SetWindowPos(window_, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    auto place = [&](const Control& control, HFONT font, LabelPlace at) {
        control.move(px(textLeft), px(at.top), width - px(textLeft) - px(margin), px(at.height),
                     false);
        control.setFont(font, false);
    };
    place(program_, titleFont_.get(), programPlace);
    place(maker_, textFont_.get(), makerPlace);
    place(link_, linkFont_.get(), linkPlace);
    int barHeight = px(buttonBarHeight);
    ok_.move((width - px(buttonWidth)) / 2, height - barHeight + (barHeight - px(buttonHeight)) / 2,
             px(buttonWidth), px(buttonHeight), false);
    ok_.setFont(textFont_.get(), false);
    InvalidateRect(window_, nullptr, TRUE);
}

void AboutBox::showModal() {
    // The owner may have moved to a screen of another density while the box was hidden.
    if (int dpi = windowDpi(owner_); dpi != dpi_) {
        applyDpi(dpi);
    }
    modal_.run(window_, owner_, ok_.handle(),
               [this](MSG& message) { return IsDialogMessageW(window_, &message) != FALSE; });
}

LRESULT AboutBox::handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
        case IDCANCEL:
            modal_.end();
            return 0;
        case IDC_ABOUT_LINK:
            if (HIWORD(wParam) == STN_CLICKED) {
                shell_.runMaximized("Explorer.exe " + narrow(webAddress));
            }
            return 0;
        default:
            break;
        }
        break;
    case WM_CLOSE:
        modal_.end();
        return 0;
    case WM_DPICHANGED: {
        const auto& suggested = *reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(window_, nullptr, suggested.left, suggested.top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        applyDpi(HIWORD(wParam));
        return 0;
    }
    case WM_CTLCOLORSTATIC: {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc,
                     reinterpret_cast<HWND>(lParam) == link_.handle() ? linkColour : RGB(0, 0, 0));
        return reinterpret_cast<LRESULT>(pageBrush_.get());
    }
    case WM_SETCURSOR:
        if (reinterpret_cast<HWND>(wParam) == link_.handle()) {
            SetCursor(LoadCursorW(nullptr, IDC_HAND));
            return TRUE;
        }
        break;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        RECT client;
        GetClientRect(window, &client);
        RECT bar = client;
        bar.top = bar.bottom - metrics::scaled(buttonBarHeight, dpi_);
        FillRect(dc, &bar, GetSysColorBrush(COLOR_BTNFACE));
        DrawEdge(dc, &bar, EDGE_ETCHED, BF_TOP);
        int size = metrics::scaled(iconSize, dpi_);
        DrawIconEx(dc, metrics::scaled(margin, dpi_), metrics::scaled(iconTop, dpi_),
                   programIcon_.get(), size, size, 0, nullptr, DI_NORMAL);
        EndPaint(window, &paint);
        return 0;
    }
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace dustbane::win32
