#include "driver/console_run.h"

#include "driver/files.h"
#include "platform/win32/text.h"

#include <stdexcept>

namespace dustbane::e2e {

ConsoleRun runConsole(const std::vector<std::string>& arguments, std::chrono::milliseconds timeout,
                      const ConsoleStart& start) {
    const std::string outputPath = scratchDir("console-output") + "out.txt";
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    HANDLE output = CreateFileW(win32::widen(outputPath).c_str(), GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (output == INVALID_HANDLE_VALUE) {
        throw std::runtime_error("cannot create " + outputPath);
    }
    const std::wstring program =
        win32::widen((start.folder.empty() ? installDir() : start.folder) + "Dustbane.exe");
    std::wstring commandLine = L"\"" + program + L"\"";
    for (const std::string& argument : arguments) {
        commandLine += L" " + win32::widen(argument);
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = output;
    startup.hStdError = output;
    startup.hStdInput = nullptr;
    PROCESS_INFORMATION info{};
    const std::wstring directory =
        win32::widen(start.workingDirectory.empty() ? installDir() : start.workingDirectory);
    const BOOL started = CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                                        0, nullptr, directory.c_str(), &startup, &info);
    CloseHandle(output);
    if (!started) {
        throw std::runtime_error("cannot start Dustbane.exe: error " +
                                 std::to_string(GetLastError()));
    }
    CloseHandle(info.hThread);
    ConsoleRun result;
    if (WaitForSingleObject(info.hProcess, static_cast<DWORD>(timeout.count())) == WAIT_OBJECT_0) {
        DWORD code = 0;
        GetExitCodeProcess(info.hProcess, &code);
        result.exitCode = code;
    } else {
        TerminateProcess(info.hProcess, 1);
        WaitForSingleObject(info.hProcess, 5000);
    }
    CloseHandle(info.hProcess);
    result.lines = splitLines(readFile(outputPath).value_or(""));
    return result;
}

} // namespace dustbane::e2e
