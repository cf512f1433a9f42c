#include "driver/held_file.h"

#include "platform/win32/text.h"

namespace dustbane::e2e {

// The \\?\ form reaches paths of any length.
HeldFile::HeldFile(const std::string& path)
    : handle_(CreateFileW((L"\\\\?\\" + win32::widen(path)).c_str(), GENERIC_READ, FILE_SHARE_READ,
                          nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {}

void HeldFile::release() {
    if (holding()) {
        CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
    }
}

} // namespace dustbane::e2e
