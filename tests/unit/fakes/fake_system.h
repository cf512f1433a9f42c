#pragma once

#include "platform/system.h"

#include <cstdio>
#include <set>
#include <string>

namespace dustbane::testing {

// Dates read and written as dd.mm.yyyy, day numbers counted from 1 January 1970. The ANSI
// code page is UTF-8 itself, so conversions are the identity.
class FakeSystem : public System {
  public:
    uint16_t systemDefaultLanguageId() const override { return languageId; }
    std::string fromAnsi(const std::string& bytes) const override { return bytes; }
    std::string toAnsi(const std::string& text) const override { return text; }
    int compareStrings(const std::string& a, const std::string& b) const override;
    std::string longTimeNow() const override { return timeNow; }
    std::string shortDateToday() const override { return formatDate(today); }
    std::optional<int64_t> parseShortDate(const std::string& text) const override;
    int64_t todayDayNumber() const override { return today; }
    NumberFormat numberFormat() const override { return numbers; }
    FileTime fileTimeNow() const override { return now; }
    void playEndSound() override { ++soundsPlayed; }
    void setBusyCursor(bool busy) override { busyCursor = busy; }
    void moveCursorBy(int dx, int dy) override {
        cursorX += dx;
        cursorY += dy;
    }
    // Names compared as given: tests write them in the case the catalogue uses.
    bool processRuns(const std::string& imageName) const override {
        return runningProcesses.count(imageName) > 0;
    }
    bool runsElevated() const override { return elevated; }
    std::string computerName() const override { return computer; }
    std::string userName() const override { return user; }

    static std::string formatDate(int64_t dayNumber);
    static int64_t dayNumber(int year, int month, int day);

    uint16_t languageId = 0x0409;
    std::string timeNow = "10:42:07";
    int64_t today = dayNumber(2026, 12, 7);
    // en-US.
    NumberFormat numbers{".", ","};
    // 7 December 2026, 10:42:07 UTC.
    FileTime now = 134'411'137'270'000'000ULL;
    int soundsPlayed = 0;
    bool busyCursor = false;
    int cursorX = 0;
    int cursorY = 0;
    std::set<std::string> runningProcesses;
    bool elevated = false;
    std::string computer = "TESTPC";
    std::string user = "tester";
};

} // namespace dustbane::testing
