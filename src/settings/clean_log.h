#pragma once

#include "platform/file_system.h"
#include "platform/shell.h"
#include "platform/system.h"

#include <cstdint>
#include <string>
#include <vector>

namespace dustbane {

// Where the log lives, for an installation folder ending with a backslash.
struct LogLocation {
    std::string path;
    // The folder the first write creates when missing; "" for the installation folder,
    // which is never brought back once removed.
    std::string ownFolder;
};

// In the installation folder, unless that lies inside Program Files, where a standard user
// cannot write: then in the user's local application data. Every reader and writer of the
// log asks here.
LogLocation logLocation(const Shell& shell, const std::string& installDir);

// The plain-text record of clean runs: blocks of an empty line, the date and the run's
// lines, newest run first, in the system ANSI code page with CR LF line ends.
class CleanLog {
  public:
    CleanLog(FileSystem& files, const System& system, LogLocation location);

    // Both return "" on success, else why the log was not written, in plain words.
    // Puts the run's lines at the top under today's date and first drops the blocks older
    // than logDays days, except the topmost one.
    std::string appendRunBlock(const std::vector<std::string>& lines, int32_t logDays);
    // Adds today's date and the record line at the end.
    std::string appendRecycleRecord(const std::string& recordLine);

  private:
    FileSystem& files_;
    const System& system_;
    LogLocation location_;
};

} // namespace dustbane
