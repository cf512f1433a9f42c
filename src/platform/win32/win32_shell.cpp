#include "platform/win32/win32_shell.h"

#include "platform/win32/file_selection.h"
#include "platform/win32/handles.h"
#include "platform/win32/text.h"

#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>

namespace dustbane::win32 {

namespace {

const KNOWNFOLDERID& knownFolderOf(SpecialFolder folder) {
    switch (folder) {
    case SpecialFolder::InternetCache:
        return FOLDERID_InternetCache;
    case SpecialFolder::LocalAppData:
        return FOLDERID_LocalAppData;
    case SpecialFolder::LocalAppDataLow:
        return FOLDERID_LocalAppDataLow;
    case SpecialFolder::RoamingAppData:
        return FOLDERID_RoamingAppData;
    case SpecialFolder::ProgramFiles:
        return FOLDERID_ProgramFiles;
    case SpecialFolder::ProgramFilesX86:
        return FOLDERID_ProgramFilesX86;
    case SpecialFolder::System:
        return FOLDERID_System;
    case SpecialFolder::ProgramData:
        return FOLDERID_ProgramData;
    case SpecialFolder::UserProfiles:
        return FOLDERID_UserProfiles;
    case SpecialFolder::Profile:
        return FOLDERID_Profile;
    case SpecialFolder::Desktop:
        return FOLDERID_Desktop;
    case SpecialFolder::Documents:
        return FOLDERID_Documents;
    case SpecialFolder::Downloads:
        return FOLDERID_Downloads;
    case SpecialFolder::Pictures:
        return FOLDERID_Pictures;
    case SpecialFolder::Music:
        return FOLDERID_Music;
    case SpecialFolder::Videos:
        return FOLDERID_Videos;
    case SpecialFolder::OneDrive:
        break;
    }
    return FOLDERID_SkyDrive;
}

// The known folder's path as the user sees it, without creating it.
std::string knownFolderPath(const KNOWNFOLDERID& id) {
    PWSTR path = nullptr;
    const HRESULT result = SHGetKnownFolderPath(id, KF_FLAG_DONT_VERIFY, nullptr, &path);
    std::string text = SUCCEEDED(result) && path ? narrow(path) : std::string();
    CoTaskMemFree(path);
    return text;
}

std::string pathOf(PCIDLIST_ABSOLUTE pidl) {
    wchar_t path[MAX_PATH];
    return SHGetPathFromIDListW(pidl, path) ? narrow(path) : std::string();
}

} // namespace

int Win32Shell::recycleItem(const std::string& path) {
    // The shell expands wildcards in its source list, and an empty list is no item at all:
    // neither may reach it from a primitive that deletes exactly one item.
    if (path.empty() || path.find_first_of("*?") != std::string::npos) {
        return ERROR_INVALID_NAME;
    }
    // The source list is one path ended by two NULs: the string's own terminator is the
    // second one.
    std::wstring from = widen(path);
    from.push_back(L'\0');
    SHFILEOPSTRUCTW operation{};
    operation.hwnd = owner_;
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = FOF_SILENT | FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_ALLOWUNDO;
    return SHFileOperationW(&operation);
}

bool Win32Shell::emptyRecycleBins() {
    return SHEmptyRecycleBinW(owner_, nullptr, SHERB_NOCONFIRMATION) == S_OK;
}

std::optional<uint64_t> Win32Shell::recycleBinBytes() const {
    SHQUERYRBINFO info{};
    info.cbSize = sizeof info;
    if (FAILED(SHQueryRecycleBinW(nullptr, &info)) || info.i64Size < 0) {
        return std::nullopt;
    }
    return static_cast<uint64_t>(info.i64Size);
}

std::string Win32Shell::specialFolder(SpecialFolder folder) const {
    return knownFolderPath(knownFolderOf(folder));
}

std::string Win32Shell::tempPath() const {
    wchar_t path[MAX_PATH + 1];
    DWORD length = GetTempPathW(ARRAYSIZE(path), path);
    return length > 0 && length < ARRAYSIZE(path) ? narrow(std::wstring(path, length))
                                                  : std::string();
}

std::string Win32Shell::windowsDirectory() const {
    wchar_t path[MAX_PATH + 1];
    UINT length = GetWindowsDirectoryW(path, ARRAYSIZE(path));
    return length > 0 && length < ARRAYSIZE(path) ? narrow(std::wstring(path, length))
                                                  : std::string();
}

void Win32Shell::openDocument(const std::string& path) {
    ShellExecuteW(nullptr, L"open", widen(path).c_str(), nullptr, nullptr, SW_SHOW);
}

void Win32Shell::runMaximized(const std::string& commandLine) {
    // CreateProcessW may write into the command line, so it gets its own copy.
    std::wstring command = widen(commandLine);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWMAXIMIZED;
    PROCESS_INFORMATION process{};
    if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &process)) {
        UniqueKernelHandle processHandle(process.hProcess);
        UniqueKernelHandle threadHandle(process.hThread);
    }
}

std::string Win32Shell::browseForFolder(const std::string& title) {
    std::wstring wideTitle = widen(title);
    wchar_t displayName[MAX_PATH];
    BROWSEINFOW browse{};
    browse.pszDisplayName = displayName;
    browse.lpszTitle = wideTitle.c_str();
    browse.ulFlags = BIF_RETURNONLYFSDIRS;
    UniquePidl pidl(SHBrowseForFolderW(&browse));
    return pidl ? pathOf(pidl.get()) : std::string();
}

std::vector<std::string> Win32Shell::pickFiles() {
    // Room for some hundreds of long names at once.
    std::wstring buffer(64 * 1024, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    // Owned by the window in front (the options dialog), so that it stays modal to it.
    dialog.hwndOwner = GetActiveWindow();
    dialog.lpstrFilter = L"All files\0*.*\0";
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = buffer.data();
    dialog.nMaxFile = static_cast<DWORD>(buffer.size() - 1);
    // Without OFN_NOCHANGEDIR the dialog leaves the process in the chosen folder, which
    // then cannot be removed while the program runs.
    dialog.Flags = OFN_ALLOWMULTISELECT | OFN_EXPLORER | OFN_HIDEREADONLY | OFN_FILEMUSTEXIST |
                   OFN_NOCHANGEDIR;
    if (!GetOpenFileNameW(&dialog)) {
        return {};
    }
    return selectedFiles(buffer.c_str());
}

} // namespace dustbane::win32
