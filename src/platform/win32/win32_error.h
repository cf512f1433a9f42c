#pragma once

#include <cstdint>
#include <string>

namespace dustbane::win32 {

// The system's own words for an error code (GetLastError, LSTATUS), without the trailing
// line break; "Error <code>" when the system has no message for it.
std::string errorText(uint32_t code);

} // namespace dustbane::win32
