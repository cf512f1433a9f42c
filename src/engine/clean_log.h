#pragma once

#include "platform/file_system.h"
#include "platform/system.h"

#include <cstdint>
#include <string>
#include <vector>

namespace dustbane {

// The log file's path for an installation folder (ends with a backslash).
std::string logFilePath(const std::string& installDir);

// The plain-text record of clean runs: blocks of an empty line, the date and the run's
// lines, newest run first, in the system ANSI code page with CR LF line ends.
class CleanLog {
  public:
    CleanLog(FileSystem& files, const System& system, std::string path);

    // Both return "" on success, else why the log was not written, in plain words.
    // Puts the run's lines at the top under today's date and first drops the blocks older
    // than logDays days, except the topmost one.
    std::string appendRunBlock(const std::vector<std::string>& lines, int32_t logDays);
    // Adds today's date and the record line at the end.
    std::string appendRecycleRecord(const std::string& recordLine);

  private:
    FileSystem& files_;
    const System& system_;
    std::string path_;
};

} // namespace dustbane
