#include "settings/clean_log.h"

#include "text/text_lines.h"

#include <cstddef>
#include <cstdlib>

namespace dustbane {

namespace {

struct LoadedLog {
    bool existed = false;
    std::vector<std::string> lines;
    // Set when the file exists but cannot be read.
    std::string failure;
};

LoadedLog load(const FileSystem& files, const System& system, const std::string& path) {
    LoadedLog log;
    if (!files.fileExists(path)) {
        return log;
    }
    log.existed = true;
    auto bytes = files.readFile(path);
    if (!bytes) {
        // Writing anyway would replace the whole history by this one block.
        log.failure = "The clean log " + path +
                      " could not be read (another program may be using it), so it was left "
                      "as it was and nothing was added to it.";
        return log;
    }
    log.lines = splitLines(system.fromAnsi(*bytes));
    return log;
}

std::string save(FileSystem& files, const System& system, const LogLocation& location,
                 const std::vector<std::string>& lines) {
    const std::string& path = location.path;
    if (!location.ownFolder.empty() && !files.directoryExists(location.ownFolder) &&
        !files.createDirectory(location.ownFolder)) {
        return "The clean log " + path + " could not be written: its folder " + location.ownFolder +
               " could not be created.";
    }
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    std::string failure = files.replaceFile(path, system.toAnsi(text));
    if (!failure.empty()) {
        return "The clean log " + path + " could not be written: " + failure;
    }
    return {};
}

// Windows paths compare without regard to letter case; either slash separates components.
std::string comparablePath(std::string path) {
    for (char& c : path) {
        if (c == '/') {
            c = '\\';
        } else if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    while (!path.empty() && path.back() == '\\') {
        path.pop_back();
    }
    return path;
}

// Whole components only: C:\Program Files Extra is not inside C:\Program Files.
bool isInsideFolder(const std::string& path, const std::string& folder) {
    const std::string inner = comparablePath(path);
    const std::string outer = comparablePath(folder);
    return !outer.empty() && (inner == outer || inner.starts_with(outer + "\\"));
}

// A block starts with an empty line followed by its date. The walk goes upwards and never
// judges the block on line 0, so the previous run survives until the next write. A date the
// current locale cannot read ends the walk; blocks already dropped stay dropped.
void dropOldBlocks(const System& system, std::vector<std::string>& lines, int32_t logDays) {
    if (lines.size() < 2) {
        return;
    }
    const int64_t today = system.todayDayNumber();
    for (size_t i = lines.size() - 2; i >= 1; --i) {
        // After a drop the walk goes on above it, where newer blocks may still be too old.
        if (i + 1 >= lines.size() || !lines[i].empty() || lines[i + 1].empty()) {
            continue;
        }
        auto date = system.parseShortDate(lines[i + 1]);
        if (!date) {
            return;
        }
        if (std::llabs(today - *date) > logDays) {
            lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(i), lines.end());
        }
    }
}

} // namespace

LogLocation logLocation(const Shell& shell, const std::string& installDir) {
    const std::string localAppData = shell.specialFolder(SpecialFolder::LocalAppData);
    const bool protectedFolder =
        isInsideFolder(installDir, shell.specialFolder(SpecialFolder::ProgramFiles)) ||
        isInsideFolder(installDir, shell.specialFolder(SpecialFolder::ProgramFilesX86));
    if (!protectedFolder || localAppData.empty()) {
        return {installDir + "logs.log", {}};
    }
    const std::string folder = localAppData + "\\Dustbane";
    return {folder + "\\logs.log", folder};
}

CleanLog::CleanLog(FileSystem& files, const System& system, LogLocation location)
    : files_(files), system_(system), location_(std::move(location)) {}

std::string CleanLog::appendRunBlock(const std::vector<std::string>& lines, int32_t logDays) {
    LoadedLog log = load(files_, system_, location_.path);
    if (!log.failure.empty()) {
        return log.failure;
    }
    dropOldBlocks(system_, log.lines, logDays);
    std::vector<std::string> block{"", system_.shortDateToday()};
    block.insert(block.end(), lines.begin(), lines.end());
    log.lines.insert(log.lines.begin(), block.begin(), block.end());
    return save(files_, system_, location_, log.lines);
}

std::string CleanLog::appendRecycleRecord(const std::string& recordLine) {
    LoadedLog log = load(files_, system_, location_.path);
    if (!log.failure.empty()) {
        return log.failure;
    }
    if (log.existed) {
        log.lines.emplace_back();
    }
    log.lines.push_back(system_.shortDateToday());
    log.lines.push_back(recordLine);
    return save(files_, system_, location_, log.lines);
}

} // namespace dustbane
