#include "cli/win32/console_output.h"

#include "platform/win32/text.h"

#include <windows.h>

namespace dustbane::win32 {

namespace {

bool usable(HANDLE handle) {
    return handle != nullptr && handle != INVALID_HANDLE_VALUE &&
           GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

} // namespace

ConsoleOutput::ConsoleOutput() {
    HANDLE inherited = GetStdHandle(STD_OUTPUT_HANDLE);
    if (usable(inherited)) {
        handle_ = inherited;
    } else if (AttachConsole(ATTACH_PARENT_PROCESS)) {
        console_ = UniqueFile(CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                          OPEN_EXISTING, 0, nullptr));
        handle_ = console_ ? console_.get() : nullptr;
    }
    DWORD mode = 0;
    isConsole_ = handle_ != nullptr && GetConsoleMode(handle_, &mode) != 0;
}

void ConsoleOutput::writeLine(const std::string& line) {
    if (handle_ == nullptr) {
        return;
    }
    if (isConsole_) {
        const std::wstring text = widen(line) + L"\r\n";
        DWORD written = 0;
        WriteConsoleW(handle_, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        return;
    }
    const std::string bytes = line + "\r\n";
    DWORD written = 0;
    WriteFile(handle_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

} // namespace dustbane::win32
