#pragma once

#include "platform/system.h"

namespace dustbane::win32 {

// Dates and times follow the user's locale; the ANSI conversions follow the system code page.
class Win32System : public System {
  public:
    uint16_t systemDefaultLanguageId() const override;

    std::string fromAnsi(const std::string& bytes) const override;
    std::string toAnsi(const std::string& text) const override;

    int compareStrings(const std::string& a, const std::string& b) const override;

    std::string longTimeNow() const override;
    std::string shortDateToday() const override;
    std::optional<int64_t> parseShortDate(const std::string& text) const override;
    int64_t todayDayNumber() const override;
    NumberFormat numberFormat() const override;
    FileTime fileTimeNow() const override;

    void playEndSound() override;
    void setBusyCursor(bool busy) override;
    void moveCursorBy(int dx, int dy) override;

    bool processRuns(const std::string& imageName) const override;
    bool runsElevated() const override;
    std::string computerName() const override;
    std::string userName() const override;
};

} // namespace dustbane::win32
