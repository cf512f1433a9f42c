#pragma once

#include "platform/file_time.h"
#include "platform/number_format.h"

#include <cstdint>
#include <optional>
#include <string>

namespace dustbane {

// The parts of the operating system that are neither files, registry nor shell.
class System {
  public:
    virtual ~System() = default;

    virtual uint16_t systemDefaultLanguageId() const = 0;

    // Bytes in the system ANSI code page to UTF-8 and back.
    virtual std::string fromAnsi(const std::string& bytes) const = 0;
    virtual std::string toAnsi(const std::string& text) const = 0;

    // The system's string order for list sorting (lstrcmp): <0, 0 or >0.
    virtual int compareStrings(const std::string& a, const std::string& b) const = 0;

    // The current time in the user's long time format, e.g. 10:42:07.
    virtual std::string longTimeNow() const = 0;
    // Today in the user's short date format.
    virtual std::string shortDateToday() const = 0;
    // A date in the user's short date format as a day number; nullopt when unreadable.
    virtual std::optional<int64_t> parseShortDate(const std::string& text) const = 0;
    virtual int64_t todayDayNumber() const = 0;
    // The user's decimal and thousands separators.
    virtual NumberFormat numberFormat() const = 0;
    // The current time as the file system writes file times.
    virtual FileTime fileTimeNow() const = 0;

    // Plays the end sound ("end.wav", looked up as an alias, then as a file); returns when done.
    virtual void playEndSound() = 0;
    virtual void setBusyCursor(bool busy) = 0;
    virtual void moveCursorBy(int dx, int dy) = 0;

    // Whether a process of this image name ("chrome.exe", letter case ignored) runs in the
    // current user's session.
    virtual bool processRuns(const std::string& imageName) const = 0;
    // Whether this program runs with an elevated (administrator) token.
    virtual bool runsElevated() const = 0;

    // The computer's NetBIOS name and the signed-in user's logon name, as a report names
    // where and by whom a run was made; empty when the system does not say.
    virtual std::string computerName() const = 0;
    virtual std::string userName() const = 0;
};

} // namespace dustbane
