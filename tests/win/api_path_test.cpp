#include "platform/win32/api_path.h"
#include "platform/win32/text.h"
#include "scratch_folder.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace dustbane::testing {
namespace {

// The current folder stays where a test put it until this goes.
class CurrentFolder {
  public:
    explicit CurrentFolder(const std::string& path) {
        GetCurrentDirectoryW(MAX_PATH, previous_);
        entered_ = SetCurrentDirectoryW(win32::widen(path).c_str()) != 0;
    }
    ~CurrentFolder() { SetCurrentDirectoryW(previous_); }
    CurrentFolder(const CurrentFolder&) = delete;
    CurrentFolder& operator=(const CurrentFolder&) = delete;
    bool entered() const { return entered_; }

  private:
    wchar_t previous_[MAX_PATH] = {};
    bool entered_ = false;
};

TEST(ApiPathTest, BareDriveNamesItsRootWhateverTheCurrentFolder) {
    ScratchFolder scratch;
    CurrentFolder inside(scratch.path());
    ASSERT_TRUE(inside.entered());
    const std::wstring drive = win32::widen(scratch.path().substr(0, 2));

    for (const std::wstring& bare : {drive, std::wstring(1, towlower(drive[0])) + L":"}) {
        EXPECT_EQ(win32::apiPath(win32::narrow(bare)), L"\\\\?\\" + bare + L"\\")
            << win32::narrow(bare);
    }
    // A drive-relative name still starts from the current folder.
    EXPECT_EQ(win32::apiPath(win32::narrow(drive) + "x"), L"\\\\?\\" + win32::widen(scratch / "x"));
}

TEST(ApiPathTest, DotsResolveByTheTextAndATrailingDotOrSpaceStays) {
    // GetFullPathNameW would trim "abc." to "abc", another item.
    EXPECT_EQ(win32::apiPath("C:\\s\\abc."), L"\\\\?\\C:\\s\\abc.");
    EXPECT_EQ(win32::apiPath("C:\\s\\note "), L"\\\\?\\C:\\s\\note ");
    EXPECT_EQ(win32::apiPath("C:\\keep\\db\\.."), L"\\\\?\\C:\\keep");
    EXPECT_EQ(win32::apiPath("C:\\keep\\..\\"), L"\\\\?\\C:\\");
    EXPECT_EQ(win32::apiPath("C:\\a.\\..\\b\\\\c\\"), L"\\\\?\\C:\\b\\c");
    EXPECT_EQ(win32::apiPath("\\\\server\\share\\x\\..\\y"), L"\\\\?\\UNC\\server\\share\\y");
}

} // namespace
} // namespace dustbane::testing
