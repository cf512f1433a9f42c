#pragma once

#include <string>

namespace dustbane::win32 {

// UTF-8 inside the program, UTF-16 at the Windows API: converted here and nowhere else.
std::wstring widen(const std::string& text);
std::string narrow(const std::wstring& text);
std::string narrow(const wchar_t* text);

} // namespace dustbane::win32
