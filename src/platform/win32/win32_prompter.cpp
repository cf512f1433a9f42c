#include "platform/win32/win32_prompter.h"

#include "platform/win32/text.h"

#include <windows.h>

namespace dustbane::win32 {

namespace {

int show(const std::string& text, const std::string& caption, UINT style) {
    return MessageBoxW(nullptr, widen(text).c_str(), widen(caption).c_str(), style);
}

} // namespace

int Win32Prompter::ask(const std::string& text, const std::string& caption, unsigned style) {
    return show(text, caption, style);
}

void Win32Prompter::inform(const std::string& text, const std::string& caption) {
    show(text, caption, MB_OK | MB_ICONINFORMATION | MB_TASKMODAL);
}

void Win32Prompter::reportError(const std::string& text) {
    show(text, "Dustbane", MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

} // namespace dustbane::win32
