#pragma once

#include "driver/wait.h"
#include "platform/win32/handles.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>
#include <windows.h>

namespace dustbane::e2e {

struct ProcessHandleTraits {
    using Handle = HANDLE;
    static HANDLE invalid() { return nullptr; }
    static void close(HANDLE handle) { CloseHandle(handle); }
};
using UniqueProcess = win32::UniqueHandle<ProcessHandleTraits>;

struct LaunchOptions {
    // The one command-line argument, quoted as Explorer quotes it; none when empty.
    std::string argument = {};
    // The program's current directory; the installation folder when empty.
    std::string workingDirectory = {};
    // The folder of the Dustbane.exe started, ending with a backslash; the installation
    // folder when empty.
    std::string folder = {};
    // Added to (or replacing in) the test's own environment.
    std::vector<std::pair<std::string, std::string>> environment = {};
};

// Dustbane.exe, started as a user starts it. A program still running when its App goes
// out of scope is terminated, so one failed test does not leave it behind for the next.
class App {
  public:
    static App launch(const LaunchOptions& options = {});

    App(App&&) noexcept = default;
    App& operator=(App&&) noexcept = default;
    ~App();

    DWORD processId() const { return processId_; }
    HANDLE process() const { return process_.get(); }

    // The visible main window (class TForm1), or nullptr when none shows before the timeout.
    HWND waitForMainWindow(std::chrono::milliseconds timeout = defaultTimeout) const;
    // The main window found by the last successful waitForMainWindow.
    HWND mainWindow() const { return mainWindow_; }

    bool isRunning() const;
    // The exit code, or nothing when the program is still running after the timeout.
    std::optional<DWORD> waitForExit(std::chrono::milliseconds timeout = defaultTimeout) const;
    // Posts WM_CLOSE to the main window and waits for the program to end.
    std::optional<DWORD> close(std::chrono::milliseconds timeout = defaultTimeout) const;

  private:
    App(UniqueProcess process, DWORD processId)
        : process_(std::move(process)), processId_(processId) {}

    UniqueProcess process_;
    DWORD processId_ = 0;
    mutable HWND mainWindow_ = nullptr;
};

} // namespace dustbane::e2e
