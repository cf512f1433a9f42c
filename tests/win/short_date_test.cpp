#include "platform/win32/short_date.h"

#include <gtest/gtest.h>

namespace dustbane::testing {
namespace {

using win32::civilDayNumber;

const win32::DateNames names = {
    {L"January", L"February", L"March", L"April", L"May", L"June", L"July", L"August", L"September",
     L"October", L"November", L"December"},
    {L"Jan", L"Feb", L"Mar", L"Apr", L"May", L"Jun", L"Jul", L"Aug", L"Sep", L"Oct", L"Nov",
     L"Dec"},
    {L"Monday", L"Mon", L"Tuesday", L"Tue", L"Sunday", L"Sun"},
};

TEST(CivilDayNumberTest, CountsDaysAcrossMonthsYearsAndLeapDays) {
    EXPECT_EQ(civilDayNumber(1970, 1, 1), 0);
    EXPECT_EQ(civilDayNumber(2024, 3, 1) - civilDayNumber(2024, 2, 28), 2);
    EXPECT_EQ(civilDayNumber(2100, 3, 1) - civilDayNumber(2100, 2, 28), 1);
    EXPECT_EQ(civilDayNumber(2027, 1, 1) - civilDayNumber(2026, 12, 22), 10);
    EXPECT_EQ(civilDayNumber(1601, 1, 1), -134774);
}

TEST(ParseDatePictureTest, ReadsDatesWrittenWithTheirPicture) {
    const int64_t december7 = civilDayNumber(2026, 12, 7);
    struct Case {
        const wchar_t* picture;
        const wchar_t* text;
        int64_t day;
    } cases[] = {
        {L"M/d/yyyy", L"12/7/2026", december7},
        {L"MM/dd/yyyy", L"12/07/2026", december7},
        {L"dd.MM.yyyy", L"07.12.2026", december7},
        {L"d.M.yyyy", L"7.12.2026", december7},
        {L"yyyy-MM-dd", L"2026-12-07", december7},
        {L"dd/MM/yy", L"07/12/26", december7},
        {L"d/M/yy", L"1/1/75", civilDayNumber(1975, 1, 1)},
        {L"d/M/y", L"1/1/9", civilDayNumber(2009, 1, 1)},
        {L"dd-MMM-yyyy", L"07-Dec-2026", december7},
        {L"dddd, MMMM d, yyyy", L"Monday, December 7, 2026", december7},
        {L"ddd d MMM yyyy", L"Mon 7 May 2026", civilDayNumber(2026, 5, 7)},
        {L"'Day' d.M.yyyy", L"Day 7.12.2026", december7},
        {L"d 'o''clock' M yyyy", L"7 o'clock 12 2026", december7},
        {L"yyyy\x5e74M\x6708"
         L"d\x65e5",
         L"2026\x5e74"
         L"12\x6708"
         L"7\x65e5",
         december7},
        {L"M/d/yyyy", L"2/29/2024", civilDayNumber(2024, 2, 29)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(win32::parseDatePicture(c.picture, c.text, names), c.day)
            << std::string(c.text, c.text + wcslen(c.text));
    }
}

TEST(ParseDatePictureTest, RejectsTextThatDoesNotFitOrNamesNoDate) {
    struct Case {
        const wchar_t* picture;
        const wchar_t* text;
    } cases[] = {
        {L"M/d/yyyy", L""},
        {L"M/d/yyyy", L"not a date"},
        {L"M/d/yyyy", L"12-7-2026"},
        {L"M/d/yyyy", L"12/7/2026 "},
        {L"M/d/yyyy", L" 12/7/2026"},
        {L"M/d/yyyy", L"12/7"},
        {L"M/d/yyyy", L"13/1/2026"},
        {L"M/d/yyyy", L"0/1/2026"},
        {L"M/d/yyyy", L"2/30/2026"},
        {L"M/d/yyyy", L"2/29/2025"},
        {L"M/d/yyyy", L"4/31/2026"},
        {L"M/d/yyyy", L"1/0/2026"},
        {L"M/d/yyyy", L"1/1/0"},
        {L"dd-MMM-yyyy", L"07-Dez-2026"},
        {L"'Day' d.M.yyyy", L"Dag 7.12.2026"},
        {L"gg yyyy-MM-dd", L"A.D. 2026-12-07"},
        {L"MM/yyyy", L"12/2026"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(win32::parseDatePicture(c.picture, c.text, names), std::nullopt)
            << std::string(c.text, c.text + wcslen(c.text));
    }
}

} // namespace
} // namespace dustbane::testing
