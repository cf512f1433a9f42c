#pragma once

#include <cstdint>
#include <string>

namespace dustbane::win32 {

// The system's own words for an error code (GetLastError, LSTATUS), without the trailing
// line break; "Error <code>" when the system has no message for it.
std::string errorText(uint32_t code);

// The same for a COM result (HRESULT); "Error 0x<code>" when the system has no message.
std::string resultText(int32_t result);

} // namespace dustbane::win32
