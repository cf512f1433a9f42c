#include "settings/win32/options_dialog.h"

#include "platform/win32/text.h"

namespace dustbane {

namespace {

const wchar_t* const optionsClass = L"TForm2";

LRESULT CALLBACK optionsProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        ShowWindow(window, SW_HIDE);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

OptionsDialog::OptionsDialog(HINSTANCE instance, AppServices& app, OptionsLogic& logic,
                             std::function<void()> help)
    : instance_(instance), app_(app), logic_(logic), help_(std::move(help)) {}

OptionsDialog::~OptionsDialog() {
    if (window_) {
        DestroyWindow(window_);
    }
}

void OptionsDialog::create(HWND mainWindow) {
    owner_ = mainWindow;
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = optionsProcedure;
    windowClass.hInstance = instance_;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = optionsClass;
    RegisterClassExW(&windowClass);
    window_ = CreateWindowExW(WS_EX_DLGMODALFRAME, optionsClass, L"Clean Settings",
                              WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT, CW_USEDEFAULT, 520, 420,
                              owner_, nullptr, instance_, nullptr);
}

void OptionsDialog::show(OptionsPage page) {
    lastPage_ = page;
    logic_.shown();
    ShowWindow(window_, SW_SHOW);
}

} // namespace dustbane
