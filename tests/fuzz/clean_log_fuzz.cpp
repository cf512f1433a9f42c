#include "fakes/fake_file_system.h"
#include "fakes/fake_system.h"
#include "settings/clean_log.h"
#include "settings/clean_settings.h"

#include <cstdint>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>
#include <string>
#include <vector>

using namespace dustbane;
using dustbane::testing::FakeFileSystem;
using dustbane::testing::FakeSystem;

namespace {

const std::string logPath = "C:\\Dustbane\\logs.log";

// Lines as any editor shows them: CR LF, a lone CR and a lone LF each end one; a last line
// without an end still counts.
std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') {
            continue;
        }
        lines.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            ++i;
        }
        start = i + 1;
    }
    if (start < text.size()) {
        lines.push_back(text.substr(start));
    }
    return lines;
}

// Where the block on line 0 ends: the first later line that is empty and followed by a
// non-empty one starts the next block.
size_t topBlockEnd(const std::vector<std::string>& lines) {
    for (size_t i = 1; i + 1 < lines.size(); ++i) {
        if (lines[i].empty() && !lines[i + 1].empty()) {
            return i;
        }
    }
    return lines.size();
}

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

} // namespace

// Any existing log file, any retention and any date: the run block must land on top, the
// previous top block must survive, only whole trailing blocks may go, and what is written
// must read back line for line. A log that cannot be written must stay as it was.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    FakeFileSystem files;
    FakeSystem system;
    files.addFolder("C:\\Dustbane");
    const int32_t logDays = input.ConsumeIntegralInRange<int32_t>(minLogDays, maxLogDays);
    system.today =
        FakeSystem::dayNumber(2026, 12, 7) + input.ConsumeIntegralInRange<int>(-400, 400);
    const int fault = input.ConsumeIntegralInRange<int>(0, 7);
    const std::string old = input.ConsumeRemainingBytesAsString();
    files.addFile(logPath, old);
    if (fault == 1) {
        files.lock(logPath);
    } else if (fault == 2) {
        files.failWrites("The disk is full.");
    }

    CleanLog log(files, system, LogLocation{logPath, {}});
    const std::vector<std::string> run{"10:42:07 Began Search C:\\data", "C:\\data\\a.tmp",
                                       "10:42:08 Clean finished: 1 files or folders had been "
                                       "cleaned."};
    const std::string failure = log.appendRunBlock(run, logDays);
    if (fault == 1 || fault == 2) {
        check(!failure.empty());
        check(files.contentsOf(logPath) == old);
        return 0;
    }
    check(failure.empty());

    const std::string written = files.contentsOf(logPath);
    check(written.size() >= 2 && written.compare(written.size() - 2, 2, "\r\n") == 0);
    const std::vector<std::string> before = linesOf(old);
    const std::vector<std::string> after = linesOf(written);
    const size_t blockSize = run.size() + 2;
    check(after.size() >= blockSize);
    check(after[0].empty() && after[1] == system.shortDateToday());
    check(std::equal(run.begin(), run.end(), after.begin() + 2));
    // What follows the new block is the old file with at most a tail of whole blocks cut.
    const size_t kept = after.size() - blockSize;
    check(kept >= topBlockEnd(before) && kept <= before.size());
    check(std::equal(after.begin() + static_cast<std::ptrdiff_t>(blockSize), after.end(),
                     before.begin()));
    check(kept == before.size() ||
          (kept + 1 < before.size() && before[kept].empty() && !before[kept + 1].empty()));

    // The record of emptied bins goes below everything, and the run block stays on top.
    check(log.appendRecycleRecord("10:42:09 Finished clear all recycle bins").empty());
    const std::vector<std::string> last = linesOf(files.contentsOf(logPath));
    check(last.size() == after.size() + 3);
    check(std::equal(after.begin(), after.end(), last.begin()));
    check(last.back() == "10:42:09 Finished clear all recycle bins");
    return 0;
}
