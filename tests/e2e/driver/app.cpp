#include "driver/app.h"

#include "driver/files.h"
#include "driver/window.h"
#include "platform/win32/text.h"

#include <map>
#include <stdexcept>

namespace dustbane::e2e {

namespace {

// Case-insensitive, as Windows compares variable names.
struct NameLess {
    bool operator()(const std::wstring& left, const std::wstring& right) const {
        return _wcsicmp(left.c_str(), right.c_str()) < 0;
    }
};

std::wstring environmentBlock(const std::vector<std::pair<std::string, std::string>>& extra) {
    std::map<std::wstring, std::wstring, NameLess> variables;
    wchar_t* current = GetEnvironmentStringsW();
    for (const wchar_t* entry = current; *entry; entry += wcslen(entry) + 1) {
        std::wstring line(entry);
        // Entries such as "=C:=C:\tests" start with '=': the name runs to the second one.
        auto separator = line.find(L'=', 1);
        if (separator != std::wstring::npos) {
            variables[line.substr(0, separator)] = line.substr(separator + 1);
        }
    }
    FreeEnvironmentStringsW(current);
    for (const auto& [name, value] : extra) {
        variables[win32::widen(name)] = win32::widen(value);
    }
    std::wstring block;
    for (const auto& [name, value] : variables) {
        block += name + L"=" + value;
        block.push_back(L'\0');
    }
    block.push_back(L'\0');
    return block;
}

} // namespace

App App::launch(const LaunchOptions& options) {
    std::wstring program =
        win32::widen((options.folder.empty() ? installDir() : options.folder) + "Dustbane.exe");
    std::wstring commandLine = L"\"" + program + L"\"";
    if (!options.argument.empty()) {
        commandLine += L" \"" + win32::widen(options.argument) + L"\"";
    }
    std::wstring directory =
        win32::widen(options.workingDirectory.empty() ? installDir() : options.workingDirectory);
    std::wstring environment = environmentBlock(options.environment);

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                        CREATE_UNICODE_ENVIRONMENT, environment.data(), directory.c_str(), &startup,
                        &info)) {
        throw std::runtime_error("cannot start " + win32::narrow(program) + ": error " +
                                 std::to_string(GetLastError()));
    }
    CloseHandle(info.hThread);
    return App(UniqueProcess(info.hProcess), info.dwProcessId);
}

App::~App() {
    if (process_ && isRunning()) {
        TerminateProcess(process_.get(), 1);
        WaitForSingleObject(process_.get(), 5000);
    }
}

HWND App::waitForMainWindow(std::chrono::milliseconds timeout) const {
    HWND found = waitForTopLevel(processId_, "TForm1", {}, timeout);
    if (found) {
        mainWindow_ = found;
    }
    return found;
}

bool App::isRunning() const {
    return WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> App::waitForExit(std::chrono::milliseconds timeout) const {
    if (WaitForSingleObject(process_.get(), static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) {
        return std::nullopt;
    }
    DWORD code = 0;
    GetExitCodeProcess(process_.get(), &code);
    return code;
}

std::optional<DWORD> App::close(std::chrono::milliseconds timeout) const {
    HWND window = mainWindow_ ? mainWindow_ : waitForMainWindow(timeout);
    if (!window) {
        return std::nullopt;
    }
    postClose(window);
    return waitForExit(timeout);
}

} // namespace dustbane::e2e
