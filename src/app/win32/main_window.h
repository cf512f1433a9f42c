#pragma once

#include "app/run_timer.h"
#include "app/win32/main_list.h"
#include "app/win32/toolbar.h"
#include "app/window_geometry.h"
#include "app/window_metrics.h"
#include "platform/win32/controls.h"
#include "platform/win32/handles.h"
#include "platform/window_operations.h"
#include "settings/settings_summary.h"
#include "settings/window_placement.h"
#include "start/app_services.h"

#include <array>
#include <cstdint>
#include <exception>
#include <string>
#include <windows.h>

namespace dustbane {

class AnalysisRun;
class CleanDriver;
class OptionsDialog;
class OptionsLogic;
class StartUpChain;

namespace win32 {

class AboutBox;

// What the main window's commands reach; they exist once the window does.
struct MainWindowParts {
    SettingsSummary& summary;
    CleanDriver& driver;
    AnalysisRun& analysis;
    OptionsLogic& options;
    StartUpChain& startUp;
    OptionsDialog& optionsDialog;
    AboutBox& about;
};

// The main window (class TForm1): toolbar, main list and status strip, drawing the run model
// that the summary and the clean engine write, and pumping messages for the engine.
class MainWindow : public WindowOperations, private RunModelObserver {
  public:
    MainWindow(HINSTANCE instance, AppServices& app);
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;
    ~MainWindow() override;

    // Reads the placement and the installation folder, creates the window hidden and loads
    // the language table.
    void create();
    void connect(MainWindowParts& parts) { parts_ = &parts; }
    // Shows the window and starts the start-up chain.
    void show(int showCommand);
    HWND handle() const { return window_; }
    // The keyboard's way through the window: shortcuts, then Tab, the arrow keys and Enter
    // among its controls. True when the message was handled (and must not be dispatched).
    bool translateKeys(MSG& message) const;

    // Help, also for the options dialog's Help button.
    void help();

    LRESULT handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    void startElapsedClock() override;
    void stopElapsedClock() override;
    void pumpMessages() override;
    void showChanges() override;

  private:
    void createChildren();
    void applyDpi(int dpi);
    void dpiChanged(int dpi, const RECT& suggested);
    // Where everything goes in the client area as it is now.
    MainLayout currentLayout() const;
    void layout();
    void layoutStatusStrip();
    void activateFocused();
    void command(int id);
    void timer(UINT_PTR id);
    // Arms the run timer for a command; its tick goes to the run it decides.
    void armRunTimer(RunCommand command);
    void runTick();
    void close();
    void modify();
    void activateLine();
    void showListMenu(POINT screen);
    void modelChanged() override;
    void lineAdded(const ListLine&) override { list_.lineAdded(); }
    void requestFlush();
    // Draws what changed in the model since the last flush.
    void flush();
    // Draws now when a frame is due, else at the next frame.
    void flushIfDue();
    // Draws a run button's face from the model when it changed since it was last drawn.
    void drawRunFace(ToolbarSlot slot, CleanFace& drawn, const CleanFace& face);
    void showProgress(bool shown);
    WindowBounds currentBounds() const;

    // A real message pump at most this often: PeekMessage is a round trip to the window
    // server under Wine, while the engine asks at every entry.
    static constexpr uint64_t pumpMilliseconds = 10;
    // The model is drawn at most this often, counted from the end of the last drawing, and
    // no sooner than nine times the last drawing took: a drawing of the list costs tens of
    // milliseconds under Wine whatever it shows, and a run spends at most a tenth of its
    // time drawing.
    static constexpr uint64_t frameMilliseconds = 100;
    static constexpr uint64_t pauseToDrawing = 9;

    HINSTANCE instance_;
    AppServices& app_;
    MainWindowParts* parts_ = nullptr;
    HWND window_ = nullptr;
    std::exception_ptr createError_;
    HACCEL accelerators_ = nullptr;
    int dpi_ = metrics::designDpi;
    UniqueFont statusFont_;
    StartupPlacement placement_;
    Toolbar toolbar_;
    MainList list_;
    ProgressBarControl progress_;
    StatusBarControl status_;

    const RunModel& model_;
    // What the status strip and the run buttons show of the model.
    std::array<std::string, 3> drawnStatus_;
    bool progressShown_ = false;
    int drawnPosition_ = 0;
    CleanFace drawnCleanFace_;
    CleanFace drawnAnalyzeFace_;
    RunTimer runTimer_;
    bool flushPosted_ = false;
    bool framePending_ = false;
    RefreshThrottle pumpThrottle_{pumpMilliseconds};
    RefreshThrottle flushThrottle_{frameMilliseconds};
    bool closePending_ = false;
};

} // namespace win32
} // namespace dustbane
