#pragma once

#include "app/app_services.h"
#include "app/settings_summary.h"
#include "app/win32/main_list.h"
#include "app/win32/toolbar.h"
#include "app/window_geometry.h"
#include "app/window_metrics.h"
#include "app/window_placement.h"
#include "platform/win32/controls.h"
#include "platform/win32/handles.h"
#include "platform/window_operations.h"

#include <array>
#include <cstdint>
#include <exception>
#include <string>
#include <windows.h>

namespace dustbane {

class CleanDriver;
class OptionsDialog;
class OptionsLogic;

namespace win32 {

class AboutBox;

// What the main window's commands reach; they exist once the window does.
struct MainWindowParts {
    SettingsSummary& summary;
    CleanDriver& driver;
    OptionsLogic& options;
    OptionsDialog& optionsDialog;
    AboutBox& about;
};

// The main window (class TForm1): toolbar, main list, status strip and the window
// operations the summary and the clean engine work through.
class MainWindow : public WindowOperations {
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

    void setStatusText(int panel, const std::string& text) override;
    void setProgressVisible(bool visible) override;
    bool progressVisible() const override { return progressShown_; }
    int progressPosition() const override { return progressPosition_; }
    int progressMaximum() const override;
    void setProgressPosition(int position) override;
    void startElapsedClock() override;
    void stopElapsedClock() override;
    void setCleanButton(const std::string& caption, CleanPicture picture,
                        const std::string& hint) override;
    bool iconsOnly() const override { return toolbar_.iconsOnly(); }
    void pumpMessages() override;
    void clearLines() override;
    void addLine(const std::string& caption, LineImage image) override;
    int lineCount() const override { return list_.count(); }
    std::string lineCaption(int index) const override { return list_.caption(index); }
    void setLineCaption(int index, const std::string& caption) override;
    void removeLine(int index) override;
    void setListHeader(const std::string& text) override;
    void setListMenuEnabled(bool enabled) override { listMenuEnabled_ = enabled; }
    void repaintList() override;

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
    void close();
    void modify();
    void showListMenu(POINT screen);
    void requestFlush();
    void flush();
    void flushIfDue();
    WindowBounds currentBounds() const;

    // A real message pump or repaint at most this often: PeekMessage and invalidation are
    // round trips to the window server under Wine, while the engine asks at every entry.
    static constexpr uint64_t refreshMilliseconds = 10;

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

    std::array<std::string, 3> statusTexts_;
    std::array<bool, 3> statusDirty_{};
    bool progressShown_ = false;
    int progressPosition_ = 0;
    bool progressDirty_ = false;
    bool flushPosted_ = false;
    RefreshThrottle pumpThrottle_{refreshMilliseconds};
    RefreshThrottle flushThrottle_{refreshMilliseconds};
    bool listMenuEnabled_ = true;
    bool closePending_ = false;
};

} // namespace win32
} // namespace dustbane
