#include "app/win32/main_window.h"

#include "analysis/analysis_run.h"
#include "app/help_and_log.h"
#include "app/start_up_chain.h"
#include "app/win32/about_box.h"
#include "app/win32/dpi.h"
#include "app/win32/resource_ids.h"
#include "app/window_geometry.h"
#include "app/window_metrics.h"
#include "engine/clean_driver.h"
#include "options/options_logic.h"
#include "options/win32/options_dialog.h"
#include "platform/win32/command_arguments.h"
#include "platform/win32/text.h"
#include "platform/win32/window_base.h"
#include "settings/path_argument.h"

#include <algorithm>
#include <stdexcept>
#include <windows.h>
// After <windows.h>, which they need.
#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>

namespace dustbane::win32 {

namespace {

const wchar_t* const mainClass = L"TForm1";

// The timers, named after the handlers they drive.
constexpr UINT_PTR timer1 = 1;     // start-up step 1: the display mode
constexpr UINT_PTR timer2 = 2;     // the elapsed clock
constexpr UINT_PTR timer5 = 5;     // start-up step 2: settings, summary, argument
constexpr UINT_PTR timer6 = 6;     // the run timer
constexpr UINT_PTR frameTimer = 7; // draws the model's changes that waited for their frame
constexpr UINT stepInterval = 100;
constexpr UINT clockInterval = 1000;

// Posted once to show list and status changes that no pump has shown yet.
constexpr UINT flushMessage = WM_APP + 1;

WindowBounds workArea() {
    RECT area{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    return {area.left, area.top, area.right - area.left, area.bottom - area.top};
}

HMENU childId(int id) {
    return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
}

} // namespace

MainWindow::MainWindow(HINSTANCE instance, AppServices& app)
    : instance_(instance), app_(app), toolbar_(instance), list_(instance, app.model),
      model_(app.model), drawnCleanFace_(app.model.cleanFace()),
      drawnAnalyzeFace_(app.model.analyzeFace()) {
    app_.model.setObserver(this);
}

// Normally the window is gone by now; after a failed start it is not.
MainWindow::~MainWindow() {
    app_.model.setObserver(nullptr);
    detachAndDestroy(window_);
}

void MainWindow::create() {
    HICON icon = static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(IDI_PROGRAM), IMAGE_ICON,
                                               0, 0, LR_DEFAULTSIZE | LR_SHARED));
    registerClass(instance_, mainClass, windowProcedure<MainWindow>,
                  reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), icon);

    placement_ = readStartupPlacement(app_.platform.registry, app_.platform.files);
    app_.installDir = placement_.installDir;

    // The window opens on the primary screen, whose density is the system's.
    WindowBounds bounds = centredBounds(workArea(), systemDpi());
    bool stored = placement_.mode == StartupPlacement::Mode::Stored;
    if (stored) {
        bounds = {CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT};
    }
    window_ = CreateWindowExW(0, mainClass, L"Dustbane", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                              bounds.left, bounds.top, bounds.width, bounds.height, nullptr,
                              nullptr, instance_, this);
    if (!window_) {
        if (createError_) {
            std::rethrow_exception(createError_);
        }
        throw std::runtime_error("The main window could not be created.");
    }
    if (stored) {
        RECT created{};
        GetWindowRect(window_, &created);
        bounds = storedBounds(
            placement_,
            {created.left, created.top, created.right - created.left, created.bottom - created.top},
            dpi_);
        SetWindowPos(window_, nullptr, bounds.left, bounds.top, bounds.width, bounds.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }

    app_.language.load(app_.platform.files, app_.platform.system, app_.installDir);
    Control(window_).setText(app_.language.text(Text::Caption));
    toolbar_.applyLanguage(app_.language);
    accelerators_ = LoadAcceleratorsW(instance_, MAKEINTRESOURCEW(IDR_ACCELERATORS));
}

void MainWindow::show(int showCommand) {
    bool plain = showCommand == SW_SHOWNORMAL || showCommand == SW_SHOWDEFAULT;
    if (plain && placement_.mode == StartupPlacement::Mode::Maximized) {
        showCommand = SW_SHOWMAXIMIZED;
    }
    ShowWindow(window_, showCommand);
    UpdateWindow(window_);
    SetTimer(window_, timer1, stepInterval, nullptr);
}

void MainWindow::createChildren() {
    dpi_ = windowDpi(window_);
    toolbar_.create(window_, dpi_);
    list_.create(window_, dpi_);
    progress_ =
        ProgressBarControl(CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_CHILD, 0, 0, 0, 0, window_,
                                           childId(IDC_PROGRESS), instance_, nullptr));
    progress_.setRange(metrics::progressMaximum);
    status_ = StatusBarControl(CreateWindowExW(
        0, STATUSCLASSNAMEW, L"",
        WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP | CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER,
        0, 0, 0, 0, window_, childId(IDC_STATUS_BAR), instance_, nullptr));
    if (!progress_.handle() || !status_.handle()) {
        throw std::runtime_error("The status strip could not be created.");
    }
    applyDpi(dpi_);
    SetFocus(list_.handle());
}

// Everything drawn at a size of its own follows the density: the toolbar, the list, the
// status bar's font and the caption's small icon. The places follow in layout().
void MainWindow::applyDpi(int dpi) {
    dpi_ = dpi;
    toolbar_.setDpi(dpi);
    list_.setDpi(dpi);
    UniqueFont font = messageFont(dpi);
    if (font) {
        status_.setFont(font.get());
        statusFont_ = std::move(font);
    }
    // From the icon's own drawing at that size rather than a shrunk larger one.
    int iconSize = metrics::scaled(16, dpi);
    auto* smallIcon = static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(IDI_PROGRAM),
                                                    IMAGE_ICON, iconSize, iconSize, LR_SHARED));
    SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon));
}

// The window moved to a screen of another density: the system suggests the bounds that keep
// it the same size to the eye.
void MainWindow::dpiChanged(int dpi, const RECT& suggested) {
    applyDpi(dpi);
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    layout();
}

MainLayout MainWindow::currentLayout() const {
    RECT client{};
    GetClientRect(window_, &client);
    return mainLayout(client.right, client.bottom, toolbar_.height(), progressShown_, dpi_);
}

void MainWindow::layout() {
    const MainLayout places = currentLayout();
    const WindowBounds& bar = places.toolbar;
    MoveWindow(toolbar_.handle(), bar.left, bar.top, bar.width, bar.height, TRUE);
    list_.move(places.list.left, places.list.top, places.list.width, places.list.height);
    // The list's header does not repaint itself when the list moves without resizing.
    RedrawWindow(list_.handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    layoutStatusStrip();
}

// StatusBar1Resize: panel 0 takes what panels 1 and 2 leave, beside the progress bar.
void MainWindow::layoutStatusStrip() {
    const MainLayout places = currentLayout();
    const WindowBounds& progress = places.progress;
    const WindowBounds& status = places.statusBar;
    progress_.move(progress.left, progress.top, progress.width, progress.height);
    status_.move(status.left, status.top, status.width, status.height);
    status_.setMinHeight(status.height);
    status_.setPartRightEdges(places.panelEdges.data(), static_cast<int>(places.panelEdges.size()));
}

bool MainWindow::translateKeys(MSG& message) const {
    return TranslateAcceleratorW(window_, accelerators_, &message) ||
           IsDialogMessageW(window_, &message);
}

// Enter: the focused toolbar button does its command; on a line of the list it does what a
// double click does.
void MainWindow::activateFocused() {
    if (int command = toolbar_.focusedCommand()) {
        this->command(command);
    } else if (GetFocus() == list_.handle()) {
        activateLine();
    }
}

// A line of the settings summary opens the options where that setting is changed; a group
// line of an analysis opens to its items or closes.
void MainWindow::activateLine() {
    if (parts_->summary.shown()) {
        modify();
        return;
    }
    const int line = list_.selected();
    if (line >= 0 && !model_.active() && parts_->analysis.toggleLine(static_cast<size_t>(line))) {
        flush();
        list_.showSelected(line);
    }
}

void MainWindow::help() {
    openInstalledDocument(InstalledDocument::Help, app_.installDir, app_.language, app_.platform);
}

void MainWindow::command(int id) {
    switch (id) {
    case IDC_TOOL_CLEAN:
        if (app_.settings.Displaybox) {
            app_.platform.system.moveCursorBy(180, 150);
        } else {
            app_.platform.system.moveCursorBy(60, 70);
        }
        armRunTimer(RunCommand::Clean);
        break;
    case IDC_TOOL_ANALYZE:
        armRunTimer(RunCommand::Analyze);
        break;
    case IDC_TOOL_OPTIONS:
        parts_->optionsDialog.show(OptionsPage::General);
        break;
    case IDC_TOOL_HELP:
        help();
        break;
    case IDC_TOOL_LOG:
        openInstalledDocument(InstalledDocument::Log, app_.installDir, app_.language,
                              app_.platform);
        break;
    case IDC_TOOL_ABOUT:
        parts_->about.showModal();
        break;
    case IDC_TOOL_EXIT:
        if (!model_.active()) {
            SendMessageW(window_, WM_CLOSE, 0, 0);
        }
        break;
    case IDM_SHOW_TEXT:
        toolbar_.showText(app_.platform.registry, app_.platform.prompter);
        layout();
        break;
    case IDM_ONLY_ICONS:
        toolbar_.onlyIcons(app_.platform.registry, app_.platform.prompter);
        layout();
        break;
    case IDM_MODIFY:
        modify();
        break;
    case IDOK:
        activateFocused();
        break;
    default:
        break;
    }
}

void MainWindow::timer(UINT_PTR id) {
    switch (id) {
    case timer1:
        KillTimer(window_, timer1);
        if (displayTextStoredOff(app_.platform.registry)) {
            command(IDM_ONLY_ICONS);
        }
        SetTimer(window_, timer5, stepInterval, nullptr);
        break;
    case timer5: {
        KillTimer(window_, timer5);
        const std::vector<std::string> arguments = commandArguments();
        parts_->startUp.offerPathArgument(
            readPathArgument(arguments.empty() ? std::string() : arguments.front()));
        flush();
        break;
    }
    case timer6:
        KillTimer(window_, timer6);
        runTick();
        flush();
        if (closePending_ && !model_.active()) {
            PostMessageW(window_, WM_CLOSE, 0, 0);
        }
        break;
    case frameTimer:
        KillTimer(window_, frameTimer);
        framePending_ = false;
        flushIfDue();
        break;
    case timer2:
        if (runTimer_.running() == RunCommand::Analyze) {
            parts_->analysis.elapsedTick();
        } else {
            parts_->driver.elapsedTick();
        }
        flush();
        UpdateWindow(status_.handle());
        break;
    default:
        break;
    }
}

void MainWindow::armRunTimer(RunCommand command) {
    runTimer_.arm(command);
    SetTimer(window_, timer6, stepInterval, nullptr);
}

// A click during a run reaches the active run, whichever button it was: the run asks whether
// to stop.
void MainWindow::runTick() {
    switch (runTimer_.fire(model_.active())) {
    case RunCommand::Clean:
        parts_->driver.runTick(parts_->analysis.shownTotal());
        break;
    case RunCommand::Analyze:
        parts_->analysis.runTick();
        break;
    }
}

// Closing during a run stops the run first; the run's own end steps (final line, log) run
// before the window goes, when the run timer's handler sees the pending close.
void MainWindow::close() {
    if (model_.active()) {
        if (!closePending_) {
            closePending_ = true;
            if (runTimer_.running() == RunCommand::Analyze) {
                parts_->analysis.stopForClose();
            } else {
                parts_->driver.stopForClose();
            }
        }
        return;
    }
    writeClosingPlacement(app_.platform.registry, IsZoomed(window_) != FALSE, currentBounds());
    DestroyWindow(window_);
}

WindowBounds MainWindow::currentBounds() const {
    RECT rect{};
    if (IsIconic(window_)) {
        // The normal position of a minimized window is in work-area coordinates.
        WINDOWPLACEMENT placement{};
        placement.length = sizeof placement;
        GetWindowPlacement(window_, &placement);
        rect = placement.rcNormalPosition;
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTONEAREST), &monitor);
        OffsetRect(&rect, monitor.rcWork.left - monitor.rcMonitor.left,
                   monitor.rcWork.top - monitor.rcMonitor.top);
    } else {
        GetWindowRect(window_, &rect);
    }
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

void MainWindow::modify() {
    int line = list_.selected();
    if (line < 0) {
        return;
    }
    OptionsDialog& dialog = parts_->optionsDialog;
    dialog.show(parts_->summary.pageForLine(line).value_or(dialog.currentPage()));
}

void MainWindow::showListMenu(POINT screen) {
    if (!model_.listMenuEnabled()) {
        return;
    }
    UniqueMenu menu(CreatePopupMenu());
    UINT state = list_.selected() >= 0 ? MF_ENABLED : MF_GRAYED;
    AppendMenuW(menu.get(), MF_STRING | state, IDM_MODIFY, L"&Modify");
    TrackPopupMenu(menu.get(), TPM_RIGHTBUTTON, screen.x, screen.y, 0, window_, nullptr);
}

void MainWindow::modelChanged() {
    requestFlush();
}

void MainWindow::showProgress(bool shown) {
    progressShown_ = shown;
    progress_.setPosition(drawnPosition_);
    progress_.show(shown);
    layoutStatusStrip();
}

void MainWindow::startElapsedClock() {
    SetTimer(window_, timer2, clockInterval, nullptr);
}

void MainWindow::stopElapsedClock() {
    KillTimer(window_, timer2);
}

void MainWindow::pumpMessages() {
    if (!pumpThrottle_.due(GetTickCount64())) {
        return;
    }
    flushIfDue();
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // The main loop must still see it.
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        if (!translateKeys(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

void MainWindow::showChanges() {
    flushIfDue();
}

void MainWindow::requestFlush() {
    if (!flushPosted_) {
        flushPosted_ = PostMessageW(window_, flushMessage, 0, 0) != FALSE;
    }
}

void MainWindow::flushIfDue() {
    if (flushThrottle_.due(GetTickCount64())) {
        flush();
    } else if (!framePending_) {
        framePending_ = SetTimer(window_, frameTimer, frameMilliseconds, nullptr) != 0;
    }
}

void MainWindow::flush() {
    const uint64_t started = GetTickCount64();
    if (framePending_) {
        framePending_ = false;
        KillTimer(window_, frameTimer);
    }
    list_.sync();
    for (int panel = 0; panel < static_cast<int>(drawnStatus_.size()); ++panel) {
        std::string& drawn = drawnStatus_[static_cast<size_t>(panel)];
        if (drawn != model_.statusText(panel)) {
            drawn = model_.statusText(panel);
            status_.setPartText(panel, drawn);
        }
    }
    if (drawnPosition_ != model_.progressPosition()) {
        drawnPosition_ = model_.progressPosition();
        progress_.setPosition(drawnPosition_);
    }
    if (progressShown_ != model_.active()) {
        showProgress(model_.active());
    }
    drawRunFace(ToolbarSlot::Clean, drawnCleanFace_, model_.cleanFace());
    drawRunFace(ToolbarSlot::Analyze, drawnAnalyzeFace_, model_.analyzeFace());
    const uint64_t ended = GetTickCount64();
    flushThrottle_.setInterval(std::max(frameMilliseconds, pauseToDrawing * (ended - started)));
    flushThrottle_.ran(ended);
}

void MainWindow::drawRunFace(ToolbarSlot slot, CleanFace& drawn, const CleanFace& face) {
    if (drawn == face) {
        return;
    }
    drawn = face;
    toolbar_.setRunFace(slot, toolbar_.iconsOnly() ? std::string() : face.caption, face.picture,
                        face.hint);
}

LRESULT MainWindow::handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        // A failure here fails CreateWindowEx, and create() reports why.
        window_ = window;
        try {
            createChildren();
        } catch (...) {
            createError_ = std::current_exception();
            return -1;
        }
        return 0;
    case WM_SIZE:
        layout();
        return 0;
    case WM_GETMINMAXINFO: {
        auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
        WindowBounds minimum = minimumWindowSize(dpi_);
        limits->ptMinTrackSize = {minimum.width, minimum.height};
        return 0;
    }
    case WM_DPICHANGED:
        dpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_NEXTDLGCTL: {
        // Tab and Shift+Tab, as IsDialogMessage asks a dialog for them.
        HWND next = LOWORD(lParam) ? reinterpret_cast<HWND>(wParam)
                                   : GetNextDlgTabItem(window, GetFocus(), wParam != 0);
        if (next) {
            SetFocus(next);
        }
        return 0;
    }
    case WM_SETFOCUS:
        SetFocus(list_.handle());
        return 0;
    case WM_COMMAND:
        if (parts_) {
            command(LOWORD(wParam));
        }
        return 0;
    case WM_NOTIFY: {
        const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
        if (header.hwndFrom == list_.handle()) {
            if (const std::optional<LRESULT> result = list_.answer(header)) {
                return *result;
            }
            if (header.code == NM_DBLCLK && parts_) {
                activateLine();
            }
        }
        return 0;
    }
    case WM_CONTEXTMENU:
        if (reinterpret_cast<HWND>(wParam) == list_.handle() && parts_) {
            POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            showListMenu(point.x == -1 && point.y == -1 ? list_.menuPoint() : point);
            return 0;
        }
        break;
    case WM_HELP:
        help();
        return TRUE;
    case WM_TIMER:
        if (parts_) {
            timer(wParam);
        }
        return 0;
    case flushMessage:
        flushPosted_ = false;
        flushIfDue();
        return 0;
    case WM_CLOSE:
        if (parts_) {
            close();
        } else {
            DestroyWindow(window);
        }
        return 0;
    case WM_DESTROY:
        // A window that failed to create ends nothing: the error box comes first.
        if (!createError_) {
            PostQuitMessage(0);
        }
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace dustbane::win32
