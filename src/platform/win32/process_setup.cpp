#include "platform/win32/process_setup.h"

#include <objbase.h>
#include <windows.h>

namespace dustbane::win32 {

void setQuietErrorMode() {
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
}

ComApartment::ComApartment()
    : entered_(
          SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}

ComApartment::~ComApartment() {
    if (entered_) {
        CoUninitialize();
    }
}

} // namespace dustbane::win32
