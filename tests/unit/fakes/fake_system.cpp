#include "fakes/fake_system.h"

#include <cctype>

namespace dustbane::testing {

// Days from civil date (proleptic Gregorian), after Howard Hinnant's algorithm.
int64_t FakeSystem::dayNumber(int year, int month, int day) {
    year -= month <= 2;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const int64_t yearOfEra = year - era * 400;
    const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

std::string FakeSystem::formatDate(int64_t days) {
    days += 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const int64_t dayOfEra = days - era * 146097;
    const int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t mp = (5 * dayOfYear + 2) / 153;
    const int64_t day = dayOfYear - (153 * mp + 2) / 5 + 1;
    const int64_t month = mp < 10 ? mp + 3 : mp - 9;
    const int64_t year = yearOfEra + era * 400 + (month <= 2);
    char text[32];
    std::snprintf(text, sizeof text, "%02d.%02d.%04d", static_cast<int>(day),
                  static_cast<int>(month), static_cast<int>(year));
    return text;
}

std::optional<int64_t> FakeSystem::parseShortDate(const std::string& text) const {
    int day = 0;
    int month = 0;
    int year = 0;
    char rest = 0;
    if (std::sscanf(text.c_str(), "%2d.%2d.%4d%c", &day, &month, &year, &rest) != 3 || month < 1 ||
        month > 12 || day < 1 || day > 31) {
        return std::nullopt;
    }
    return dayNumber(year, month, day);
}

int FakeSystem::compareStrings(const std::string& a, const std::string& b) const {
    size_t length = std::min(a.size(), b.size());
    for (size_t i = 0; i < length; ++i) {
        int left = std::tolower(static_cast<unsigned char>(a[i]));
        int right = std::tolower(static_cast<unsigned char>(b[i]));
        if (left != right) {
            return left < right ? -1 : 1;
        }
    }
    if (a.size() != b.size()) {
        return a.size() < b.size() ? -1 : 1;
    }
    return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
}

} // namespace dustbane::testing
