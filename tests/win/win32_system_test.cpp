#include "platform/win32/text.h"
#include "platform/win32/win32_system.h"
#include "scratch_folder.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <windows.h>
// Needs windows.h first.
#include <shlobj.h>

namespace dustbane::testing {
namespace {

class Win32SystemTest : public ::testing::Test {
  protected:
    win32::Win32System system;
    ScratchFolder scratch;
};

TEST_F(Win32SystemTest, ConvertsBetweenTheAnsiCodePageAndUtf8) {
    if (GetACP() != 1252) {
        GTEST_SKIP() << "the ANSI code page here is " << GetACP();
    }
    const std::string ansi = "Caf\xE9 \x80 \xDF\xFC";
    const std::string utf8 = "Caf\xC3\xA9 \xE2\x82\xAC \xC3\x9F\xC3\xBC";
    EXPECT_EQ(system.fromAnsi(ansi), utf8);
    EXPECT_EQ(system.toAnsi(utf8), ansi);
    EXPECT_EQ(system.fromAnsi(""), "");
    EXPECT_EQ(system.toAnsi(""), "");
    // What the code page cannot hold becomes a stand-in, one per character.
    EXPECT_EQ(system.toAnsi("\xE6\x97\xA5\xE6\x9C\xAC").size(), 2u);
}

TEST_F(Win32SystemTest, TellsTheTimeAsFileTimesAreWritten) {
    const std::string path = scratch / "now.txt";
    const FileTime before = system.fileTimeNow();
    writeBytes(path, "x");
    const FileTime after = system.fileTimeNow();
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ASSERT_TRUE(GetFileAttributesExW(win32::widen(path).c_str(), GetFileExInfoStandard, &data));
    const FileTime written = (static_cast<FileTime>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                             data.ftLastWriteTime.dwLowDateTime;
    // File systems keep times coarser than the clock: a second either side is the same moment.
    const FileTime second = 10'000'000;
    EXPECT_LE(before, written + second);
    EXPECT_GE(after + second, written);
}

TEST_F(Win32SystemTest, OrdersTextLikeTheSystemIgnoringCase) {
    std::vector<std::string> paths = {"d:\\b", "C:\\temp", "c:\\Apps",
                                      "D:\\a", "C:\\",     "c:\\apps\\x"};
    std::sort(paths.begin(), paths.end(), [this](const std::string& a, const std::string& b) {
        return system.compareStrings(a, b) < 0;
    });
    EXPECT_EQ(paths, (std::vector<std::string>{"C:\\", "c:\\Apps", "c:\\apps\\x", "C:\\temp",
                                               "D:\\a", "d:\\b"}));
    EXPECT_EQ(system.compareStrings("same", "same"), 0);
    EXPECT_NE(system.compareStrings("a", "A"), 0);
    EXPECT_EQ(system.compareStrings("a", "A"), -system.compareStrings("A", "a"));
}

TEST_F(Win32SystemTest, ReadsTodaysShortDateBack) {
    std::string today = system.shortDateToday();
    ASSERT_FALSE(today.empty());
    EXPECT_EQ(system.parseShortDate(today), system.todayDayNumber()) << today;
    EXPECT_EQ(system.parseShortDate("garbage"), std::nullopt);
    EXPECT_EQ(system.parseShortDate(""), std::nullopt);
    EXPECT_EQ(system.parseShortDate(today + "x"), std::nullopt);
}

TEST_F(Win32SystemTest, WritesTheTimeInTheLongFormat) {
    std::string time = system.longTimeNow();
    ASSERT_GE(time.size(), 5u);
    EXPECT_TRUE(std::count_if(time.begin(), time.end(), ::isdigit) >= 4) << time;
}

TEST_F(Win32SystemTest, GivesTheUsersNumberSeparators) {
    const NumberFormat format = system.numberFormat();
    EXPECT_FALSE(format.decimal.empty());
    EXPECT_FALSE(format.thousands.empty());
    EXPECT_NE(format.decimal, format.thousands) << "a number would read two ways";
    // The system's own number formatting uses the same two, the right way round.
    wchar_t formatted[64];
    ASSERT_GT(GetNumberFormatEx(LOCALE_NAME_USER_DEFAULT, 0, L"1234.5", nullptr, formatted,
                                ARRAYSIZE(formatted)),
              0);
    const std::string text = win32::narrow(formatted);
    EXPECT_TRUE(text.starts_with("1" + format.thousands + "234" + format.decimal + "5")) << text;
}

TEST_F(Win32SystemTest, MovesTheCursorAndShowsTheBusyCursor) {
    ASSERT_TRUE(SetCursorPos(100, 100));
    system.moveCursorBy(5, -3);
    POINT position;
    ASSERT_TRUE(GetCursorPos(&position));
    EXPECT_EQ(position.x, 105);
    EXPECT_EQ(position.y, 97);

    system.setBusyCursor(true);
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_WAIT));
    system.setBusyCursor(false);
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_ARROW));
}

std::string thisProgramsName() {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring name(path, length);
    name = name.substr(name.find_last_of(L'\\') + 1);
    return std::string(name.begin(), name.end());
}

TEST_F(Win32SystemTest, FindsARunningProcessByItsImageNameInAnyCase) {
    const std::string name = thisProgramsName();
    ASSERT_FALSE(name.empty());
    EXPECT_TRUE(system.processRuns(name)) << name;
    std::string upper = name;
    std::transform(upper.begin(), upper.end(), upper.begin(), ::toupper);
    EXPECT_TRUE(system.processRuns(upper)) << upper;
    EXPECT_FALSE(system.processRuns("no-such-program-" + name));
    EXPECT_FALSE(system.processRuns(name.substr(1))) << "the whole name must match";
}

TEST_F(Win32SystemTest, TellsWhetherItRunsElevatedAsTheAdministratorCheckDoes) {
    // With UAC on, the administrators group counts only in an elevated token; without it,
    // an administrator's token is elevated.
    EXPECT_EQ(system.runsElevated(), IsUserAnAdmin() != FALSE);
}

std::string environmentValue(const wchar_t* name) {
    wchar_t value[512] = {};
    const DWORD length = GetEnvironmentVariableW(name, value, ARRAYSIZE(value));
    return length > 0 && length < ARRAYSIZE(value) ? win32::narrow(value) : std::string();
}

// The system sets both variables at logon from the same names; the calls must give them
// whole, without a trailing null or a cut.
TEST_F(Win32SystemTest, NamesTheComputerAndTheUserAsTheLogonEnvironmentDoes) {
    const std::string computer = environmentValue(L"COMPUTERNAME");
    const std::string user = environmentValue(L"USERNAME");
    ASSERT_FALSE(computer.empty());
    ASSERT_FALSE(user.empty());
    EXPECT_EQ(CompareStringOrdinal(win32::widen(system.computerName()).c_str(), -1,
                                   win32::widen(computer).c_str(), -1, TRUE),
              CSTR_EQUAL)
        << system.computerName() << " / " << computer;
    EXPECT_EQ(system.userName(), user);
}

} // namespace
} // namespace dustbane::testing
