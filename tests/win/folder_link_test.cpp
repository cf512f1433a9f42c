#include "folder_link.h"
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
