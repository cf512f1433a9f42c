#include "platform/win32/win32_error.h"

#include "platform/win32/text.h"

#include <windows.h>

namespace dustbane::win32 {

std::string errorText(uint32_t code) {
    wchar_t buffer[1024];
    DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, code, 0, buffer, ARRAYSIZE(buffer), nullptr);
    while (length > 0 && (buffer[length - 1] == L'\r' || buffer[length - 1] == L'\n' ||
                          buffer[length - 1] == L' ')) {
        --length;
    }
    if (length == 0) {
        return "Error " + std::to_string(code);
    }
    return narrow(std::wstring(buffer, length));
}

} // namespace dustbane::win32
