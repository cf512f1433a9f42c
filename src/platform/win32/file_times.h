#pragma once

#include "platform/file_time.h"

#include <windows.h>

namespace dustbane::win32 {

inline FileTime toFileTime(const FILETIME& time) {
    return (static_cast<FileTime>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

} // namespace dustbane::win32
