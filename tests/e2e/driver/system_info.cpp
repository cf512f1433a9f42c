#include "driver/system_info.h"

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

} // namespace dustbane::e2e
