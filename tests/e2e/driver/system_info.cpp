#include "driver/system_info.h"

#include "platform/win32/text.h"

#include <shlobj.h>
#include <stdexcept>

namespace dustbane::e2e {

LANGID systemLanguage() {
    return GetSystemDefaultLangID();
}

RECT screenRect() {
    return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

bool runsOnWine() {
    return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

std::string specialFolder(int csidl) {
    wchar_t path[MAX_PATH];
    if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) {
        throw std::runtime_error("no special folder " + std::to_string(csidl));
    }
    return win32::narrow(path) + "\\";
}

} // namespace dustbane::e2e
