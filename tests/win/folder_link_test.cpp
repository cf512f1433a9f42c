#include "platform/win32/text.h"
#include "platform/win32/win32_file_system.h"
#include "scratch_folder.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace dustbane::testing {
namespace {

bool present(const std::string& path) {
    return GetFileAttributesW(win32::widen(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A link to a folder. Wine 8's CreateSymbolicLinkW makes nothing, so there it is a Unix
// symbolic link made through Wine's start, which Wine shows as a folder link.
bool makeFolderLink(const std::string& link, const std::string& target) {
    using UnixName = char*(CDECL*)(const wchar_t*);
    const FARPROC export_ =
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name");
    if (!export_) {
        return CreateSymbolicLinkW(win32::widen(link).c_str(), win32::widen(target).c_str(),
                                   SYMBOLIC_LINK_FLAG_DIRECTORY) != 0;
    }
    auto unixName = [&](const std::string& path) {
        char* name = reinterpret_cast<UnixName>(reinterpret_cast<void*>(export_))(
            win32::widen(path).c_str());
        std::string result = name ? name : "";
        HeapFree(GetProcessHeap(), 0, name);
        return result;
    };
    const size_t slash = link.rfind('\\');
    std::wstring commandLine =
        L"start.exe /wait /unix /bin/ln -s \"" + win32::widen(unixName(target)) + L"\" \"" +
        win32::widen(unixName(link.substr(0, slash)) + "/" + link.substr(slash + 1)) + L"\"";
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

// Removing a folder link removes the link or nothing, never its target, whether the target
// is empty (which Wine's RemoveDirectoryW on the link would remove) or not.
TEST(Win32FolderLink, RemovingALinkNeverTouchesItsTarget) {
    ScratchFolder scratch;
    win32::Win32FileSystem files;
    for (bool targetEmpty : {true, false}) {
        SCOPED_TRACE(targetEmpty ? "empty target" : "target with a file");
        const std::string target = scratch / (targetEmpty ? "emptyTarget" : "fullTarget");
        const std::string link = scratch / (targetEmpty ? "toEmpty" : "toFull");
        makeFolder(target);
        if (!targetEmpty) {
            writeBytes(target + "\\keep.txt", "keep");
        }
        ASSERT_TRUE(makeFolderLink(link, target)) << link;
        ASSERT_TRUE(files.attributesOf(link).has_value());
        ASSERT_NE(*files.attributesOf(link) & attributes::reparsePoint, 0u);

        const bool removed = files.removeDirectory(link);

        EXPECT_TRUE(present(target));
        EXPECT_EQ(present(target + "\\keep.txt"), !targetEmpty);
        EXPECT_EQ(removed, !present(link));
    }
}

} // namespace
} // namespace dustbane::testing
