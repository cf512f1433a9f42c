#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace dustbane::win32 {

// The names a date picture may spell out, as the locale writes them.
struct DateNames {
    std::vector<std::wstring> months;            // January .. December
    std::vector<std::wstring> abbreviatedMonths; // Jan .. Dec
    std::vector<std::wstring> days;              // any order; only skipped
};

// Days since 1 January 1970 of a date of the proleptic Gregorian calendar.
int64_t civilDayNumber(int year, int month, int day);

// Reads text written with a date picture such as "M/d/yyyy", "dd.MM.yyyy" or
// "dddd, d MMMM yyyy" (d, M and y fields, day and month names, 'quoted' literals) back into a
// day number. Two-digit years fall in 1950..2049. Anything that does not fit the picture
// exactly, or names no real date, gives nullopt.
std::optional<int64_t> parseDatePicture(const std::wstring& picture, const std::wstring& text,
                                        const DateNames& names);

} // namespace dustbane::win32
