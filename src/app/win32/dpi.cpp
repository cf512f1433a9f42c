#include "app/win32/dpi.h"

namespace dustbane::win32 {

namespace {

// Looked up at run time: the program still starts on Windows 7 and 8, which lack them.
template <typename Function> Function user32Function(const char* name) {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return user32
               ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name)))
               : nullptr;
}

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using SystemParametersInfoForDpiFunction = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);

} // namespace

int systemDpi() {
    HDC screen = GetDC(nullptr);
    int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : USER_DEFAULT_SCREEN_DPI;
    if (screen) {
        ReleaseDC(nullptr, screen);
    }
    return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

int windowDpi(HWND window) {
    static const auto getDpiForWindow = user32Function<GetDpiForWindowFunction>("GetDpiForWindow");
    UINT dpi = getDpiForWindow && window ? getDpiForWindow(window) : 0;
    return dpi > 0 ? static_cast<int>(dpi) : systemDpi();
}

UniqueFont messageFont(int dpi) {
    static const auto forDpi =
        user32Function<SystemParametersInfoForDpiFunction>("SystemParametersInfoForDpi");
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    bool read = forDpi ? forDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0,
                                static_cast<UINT>(dpi)) != FALSE
                       : SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics,
                                               0) != FALSE;
    if (!read) {
        return UniqueFont(nullptr);
    }
    // Wine describes the font as ANSI whatever the system's language, which leaves Chinese
    // text as empty boxes; any character set lets the font mapper find the glyphs.
    metrics.lfMessageFont.lfCharSet = DEFAULT_CHARSET;
    return UniqueFont(CreateFontIndirectW(&metrics.lfMessageFont));
}

} // namespace dustbane::win32
