#include "scratch_folder.h"

#include "platform/win32/text.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace dustbane::testing {

namespace {

std::wstring verbatim(const std::string& path) {
    return L"\\\\?\\" + win32::widen(path);
}

} // namespace

ScratchFolder::ScratchFolder() {
    wchar_t temp[MAX_PATH + 1];
    DWORD length = GetTempPathW(MAX_PATH + 1, temp);
    static int serial = 0;
    path_ = win32::narrow(std::wstring(temp, length)) + "DustbaneTests-" +
            std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++serial);
    removeTree(path_);
    makeFolder(path_);
}

ScratchFolder::~ScratchFolder() {
    // A program a test started may still be ending with its current folder in here.
    removeTree(path_);
    for (int i = 0; i < 100 && exists(path_); ++i) {
        Sleep(50);
        removeTree(path_);
    }
}

void makeFolder(const std::string& path) {
    ASSERT_TRUE(CreateDirectoryW(verbatim(path).c_str(), nullptr)) << path;
}

void writeBytes(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileW(verbatim(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    ASSERT_TRUE(ok && written == bytes.size()) << path;
}

bool exists(const std::string& path) {
    return GetFileAttributesW(verbatim(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

void removeTree(const std::string& path) {
    std::wstring wide = verbatim(path);
    DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return;
    }
    SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_NORMAL);
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        DeleteFileW(wide.c_str());
        return;
    }
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
        WIN32_FIND_DATAW data;
        HANDLE find = FindFirstFileW((wide + L"\\*").c_str(), &data);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                std::wstring name = data.cFileName;
                if (name != L"." && name != L"..") {
                    removeTree(path + "\\" + win32::narrow(name));
                }
            } while (FindNextFileW(find, &data));
            FindClose(find);
        }
    }
    RemoveDirectoryW(wide.c_str());
}

} // namespace dustbane::testing
