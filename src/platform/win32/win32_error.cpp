#include "platform/win32/win32_error.h"

#include "platform/win32/text.h"

#include <cstdio>
#include <optional>
#include <windows.h>

namespace dustbane::win32 {

namespace {

std::optional<std::string> systemMessage(uint32_t code) {
    wchar_t buffer[1024];
    DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, code, 0, buffer, ARRAYSIZE(buffer), nullptr);
    while (length > 0 && (buffer[length - 1] == L'\r' || buffer[length - 1] == L'\n' ||
                          buffer[length - 1] == L' ')) {
        --length;
    }
    if (length == 0) {
        return std::nullopt;
    }
    return narrow(std::wstring(buffer, length));
}

} // namespace

std::string errorText(uint32_t code) {
    return systemMessage(code).value_or("Error " + std::to_string(code));
}

std::string resultText(int32_t result) {
    const auto code = static_cast<uint32_t>(result);
    if (auto message = systemMessage(code)) {
        return *message;
    }
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%08X", static_cast<unsigned>(code));
    return std::string("Error ") + hex;
}

} // namespace dustbane::win32
