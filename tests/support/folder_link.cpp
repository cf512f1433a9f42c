#include "folder_link.h"

#include "platform/win32/text.h"

#include <windows.h>

namespace dustbane::testing {

namespace {

using UnixName = char*(CDECL*)(const wchar_t*);

// Wine's own export giving the Unix name of a path; null outside Wine.
UnixName unixNameExport() {
    const FARPROC found =
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name");
    return reinterpret_cast<UnixName>(reinterpret_cast<void*>(found));
}

std::string unixName(UnixName convert, const std::string& path) {
    char* name = convert(win32::widen(path).c_str());
    std::string result = name ? name : "";
    HeapFree(GetProcessHeap(), 0, name);
    return result;
}

bool present(const std::string& path) {
    return GetFileAttributesW(win32::widen(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

} // namespace

bool makeFolderLink(const std::string& link, const std::string& target) {
    const UnixName convert = unixNameExport();
    if (!convert) {
        return CreateSymbolicLinkW(win32::widen(link).c_str(), win32::widen(target).c_str(),
                                   SYMBOLIC_LINK_FLAG_DIRECTORY) != 0;
    }
    const size_t slash = link.rfind('\\');
    std::wstring commandLine =
        L"start.exe /wait /unix /bin/ln -s \"" + win32::widen(unixName(convert, target)) +
        L"\" \"" +
        win32::widen(unixName(convert, link.substr(0, slash)) + "/" + link.substr(slash + 1)) +
        L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                        nullptr, nullptr, &startup, &info)) {
        return false;
    }
    WaitForSingleObject(info.hProcess, 30000);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    // start returns before the Unix program has run.
    for (int i = 0; i < 2000 && !present(link); ++i) {
        Sleep(5);
    }
    return present(link);
}

} // namespace dustbane::testing
