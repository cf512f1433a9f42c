#include "platform/win32/text.h"
#include "platform/win32/win32_file_system.h"
#include "scratch_folder.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace dustbane::testing {
namespace {

// A handle another program would hold, with the sharing it grants.
class Holder {
  public:
    Holder(const std::string& path, DWORD sharing)
        : handle_(CreateFileW(win32::widen(path).c_str(), GENERIC_READ, sharing, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr)) {}
    ~Holder() {
        if (handle_ != INVALID_HANDLE_VALUE) {
            CloseHandle(handle_);
        }
    }
    Holder(const Holder&) = delete;
    Holder& operator=(const Holder&) = delete;
    bool held() const { return handle_ != INVALID_HANDLE_VALUE; }

  private:
    HANDLE handle_;
};

class DeleteProbeTest : public ::testing::Test {
  protected:
    ScratchFolder scratch;
    win32::Win32FileSystem files;
};

TEST_F(DeleteProbeTest, AFileHeldWithoutDeleteSharingCannotBeDeletedAndStays) {
    const std::string path = scratch / "held.tmp";
    writeBytes(path, "abc");
    {
        Holder holder(path, FILE_SHARE_READ);
        ASSERT_TRUE(holder.held());
        EXPECT_FALSE(files.canDelete(path));
        // The probe agrees with what a delete then does.
        EXPECT_FALSE(files.deleteFile(path));
    }
    EXPECT_TRUE(files.canDelete(path));
    EXPECT_TRUE(exists(path));
}

TEST_F(DeleteProbeTest, DeleteSharingAndTheReadOnlyBitDoNotStandInTheWay) {
    const std::string shared = scratch / "shared.tmp";
    const std::string readOnly = scratch / "readonly.tmp";
    writeBytes(shared, "abc");
    writeBytes(readOnly, "abc");
    SetFileAttributesW(win32::widen(readOnly).c_str(), FILE_ATTRIBUTE_READONLY);

    Holder holder(shared, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
    ASSERT_TRUE(holder.held());
    EXPECT_TRUE(files.canDelete(shared));
    EXPECT_TRUE(files.canDelete(readOnly));
    EXPECT_TRUE(exists(readOnly)); // the probe deletes nothing
    EXPECT_FALSE(files.canDelete(scratch / "missing.tmp"));
}

TEST_F(DeleteProbeTest, FoldersAreProbedToo) {
    const std::string folder = scratch / "sub";
    makeFolder(folder);
    EXPECT_TRUE(files.canDelete(folder));
    EXPECT_TRUE(exists(folder));
}

// Runs count the bytes they free from the entries they read, never with a call of their own.
TEST_F(DeleteProbeTest, AnEntryCarriesItsFileSize) {
    writeBytes(scratch / "five.bin", "12345");
    writeBytes(scratch / "empty.bin", "");
    EXPECT_EQ(files.entryOf(scratch / "five.bin")->size, 5u);
    EXPECT_EQ(files.entryOf(scratch / "empty.bin")->size, 0u);
    EXPECT_EQ(files.entryOf(scratch / "missing.bin"), std::nullopt);
}

} // namespace
} // namespace dustbane::testing
