#include "cli/run_report.h"

#include <cstdio>

namespace dustbane {

namespace {

constexpr uint64_t ticksPerSecond = 10'000'000;
// Days are counted from 1 March 2000, so that a leap day ends its year and each 400-year era
// repeats the one before; 1 January 1601 lies 145,791 days before it.
constexpr int64_t daysTo2000March = 145'791;

struct CivilDate {
    int64_t year;
    unsigned month;
    unsigned day;
};

// The calendar date of a day counted from 1 March 2000 (Gregorian, proleptic).
CivilDate civilDate(int64_t days) {
    const int64_t era = (days >= 0 ? days : days - 146'096) / 146'097;
    const int64_t dayOfEra = days - era * 146'097;
    const int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1'460 + dayOfEra / 36'524 - dayOfEra / 146'096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;
    const auto day = static_cast<unsigned>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    const auto month =
        static_cast<unsigned>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    return {2000 + yearOfEra + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

} // namespace

void GroupTally::itemDeleted(const LedgerGroup& group, const LedgerItem& item) {
    ItemCount& count = item.toRecycleBin ? reportOf(group).recycled : reportOf(group).deleted;
    ++count.items;
    count.bytes += item.size;
    next_.itemDeleted(group, item);
}

void GroupTally::itemStayed(const LedgerGroup& group, const LedgerItem& item, StayReason reason) {
    reportOf(group).kept.push_back({item.path, item.size, reason});
    next_.itemStayed(group, item, reason);
}

GroupReport& GroupTally::reportOf(const LedgerGroup& group) {
    for (GroupReport& report : groups_) {
        if (report.group.section == group.section && report.group.caption == group.caption &&
            report.group.image == group.image) {
            return report;
        }
    }
    groups_.push_back({group, {}, {}, {}});
    return groups_.back();
}

std::string utcTimestamp(FileTime time) {
    const uint64_t seconds = time / ticksPerSecond;
    const auto days = static_cast<int64_t>(seconds / 86'400);
    const uint64_t secondOfDay = seconds % 86'400;
    const CivilDate date = civilDate(days - daysTo2000March);
    char text[32];
    std::snprintf(
        text, sizeof text, "%04lld-%02u-%02uT%02u:%02u:%02uZ", static_cast<long long>(date.year),
        date.month, date.day, static_cast<unsigned>(secondOfDay / 3'600),
        static_cast<unsigned>(secondOfDay / 60 % 60), static_cast<unsigned>(secondOfDay % 60));
    return text;
}

} // namespace dustbane
