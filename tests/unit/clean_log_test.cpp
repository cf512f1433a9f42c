#include "fakes/fake_platform.h"
#include "settings/clean_log.h"

#include <gtest/gtest.h>
#include <vector>

namespace dustbane {
namespace {

using testing::FakePlatform;
using testing::FakeSystem;

const std::string logPath = "C:\\Tools\\logs.log";

std::string crlf(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) {
        text += line + "\r\n";
    }
    return text;
}

struct CleanLogTest : ::testing::Test {
    FakePlatform fake;
    CleanLog log{fake.files, fake.system, LogLocation{logPath, {}}};

    CleanLogTest() { fake.files.addFolder("C:\\Tools"); }

    std::string daysAgo(int64_t days) const {
        return FakeSystem::formatDate(fake.system.todayDayNumber() - days);
    }
    std::string today() const { return daysAgo(0); }
};

TEST_F(CleanLogTest, FirstRunCreatesEmptyLineDateAndTheRunLines) {
    EXPECT_EQ(log.appendRunBlock({"10:42:07 Began", "Clean finished: 3"}, 10), "");
    EXPECT_EQ(fake.files.contentsOf(logPath),
              crlf({"", today(), "10:42:07 Began", "Clean finished: 3"}));
}

TEST_F(CleanLogTest, RunBlocksGoOnTopNewestFirst) {
    fake.files.addFile(logPath, crlf({"", daysAgo(2), "older run"}));
    EXPECT_EQ(log.appendRunBlock({"newer run"}, 10), "");
    EXPECT_EQ(fake.files.contentsOf(logPath),
              crlf({"", today(), "newer run", "", daysAgo(2), "older run"}));
}

TEST_F(CleanLogTest, KeepsBlocksOfLogDaysAndDropsOlderOnesWithEverythingBelow) {
    std::vector<std::string> kept = {"", daysAgo(1), "run a", "", daysAgo(10), "run b"};
    std::vector<std::string> old = {"", daysAgo(11), "run c", "", daysAgo(3), "run d"};
    std::vector<std::string> file = kept;
    file.insert(file.end(), old.begin(), old.end());
    fake.files.addFile(logPath, crlf(file));

    EXPECT_EQ(log.appendRunBlock({"run e"}, 10), "");

    std::vector<std::string> expected = {"", today(), "run e"};
    expected.insert(expected.end(), kept.begin(), kept.end());
    EXPECT_EQ(fake.files.contentsOf(logPath), crlf(expected));
}

TEST_F(CleanLogTest, DatesInTheFutureCountByTheirDistance) {
    fake.files.addFile(logPath,
                       crlf({"", today(), "top", "", daysAgo(-5), "near", "", daysAgo(-6), "far"}));
    log.appendRunBlock({"now"}, 5);
    EXPECT_EQ(fake.files.contentsOf(logPath),
              crlf({"", today(), "now", "", today(), "top", "", daysAgo(-5), "near"}));
}

TEST_F(CleanLogTest, DropsEveryTooOldBlockInOnePassNotOnlyTheLowest) {
    fake.files.addFile(logPath, crlf({"", daysAgo(1), "top", "", daysAgo(15), "stale", "",
                                      daysAgo(30), "older", "", daysAgo(2), "recycled"}));
    log.appendRunBlock({"now"}, 10);
    EXPECT_EQ(fake.files.contentsOf(logPath), crlf({"", today(), "now", "", daysAgo(1), "top"}));
}

TEST_F(CleanLogTest, TheTopBlockIsKeptWhateverItsAge) {
    // With or without its leading empty line, the block on top is never judged.
    const std::vector<std::string> tops[] = {{"", daysAgo(400), "ancient run"},
                                             {daysAgo(400), "ancient run"}};
    for (const auto& top : tops) {
        fake.files.addFile(logPath, crlf(top));
        log.appendRunBlock({"now"}, 1);
        std::vector<std::string> expected = {"", today(), "now"};
        expected.insert(expected.end(), top.begin(), top.end());
        EXPECT_EQ(fake.files.contentsOf(logPath), crlf(expected)) << top.size();
    }
}

TEST_F(CleanLogTest, UnreadableDateEndsThePassKeepingWhatWasDropped) {
    fake.files.addFile(logPath, crlf({"", daysAgo(1), "top", "", daysAgo(20), "above", "",
                                      "7/12/2026", "foreign date", "", daysAgo(20), "lowest"}));
    EXPECT_EQ(log.appendRunBlock({"now"}, 10), "");
    EXPECT_EQ(fake.files.contentsOf(logPath),
              crlf({"", today(), "now", "", daysAgo(1), "top", "", daysAgo(20), "above", "",
                    "7/12/2026", "foreign date"}));
}

TEST_F(CleanLogTest, ReadsCrOnlyAndMixedLineEndsAndWritesCrLf) {
    const std::pair<const char*, std::string> cases[] = {
        {"CR only", "\r" + daysAgo(1) + "\rrun a\r\r" + daysAgo(30) + "\rrun b\r"},
        {"mixed", "\n" + daysAgo(1) + "\r\nrun a\r\r\n" + daysAgo(30) + "\nrun b"},
    };
    for (const auto& [name, contents] : cases) {
        fake.files.addFile(logPath, contents);
        log.appendRunBlock({"now"}, 10);
        EXPECT_EQ(fake.files.contentsOf(logPath),
                  crlf({"", today(), "now", "", daysAgo(1), "run a"}))
            << name;
    }
}

TEST_F(CleanLogTest, RecycleRecordsAreAppendedAfterAnEmptyLine) {
    EXPECT_EQ(log.appendRecycleRecord("10:42:07 Finished clear all recycle bins"), "");
    EXPECT_EQ(fake.files.contentsOf(logPath),
              crlf({today(), "10:42:07 Finished clear all recycle bins"}));

    fake.files.addFile(logPath, crlf({"", daysAgo(1), "run", "", daysAgo(300), "ancient"}));
    EXPECT_EQ(log.appendRecycleRecord("11:00:00 emptied"), "");
    EXPECT_EQ(fake.files.contentsOf(logPath), crlf({"", daysAgo(1), "run", "", daysAgo(300),
                                                    "ancient", "", today(), "11:00:00 emptied"}))
        << "no retention pass";
}

TEST_F(CleanLogTest, FailedWriteReportsTheReasonAndKeepsTheOldLog) {
    const std::string before = crlf({"", daysAgo(1), "run", "", daysAgo(30), "old"});
    fake.files.addFile(logPath, before);
    fake.files.failWrites("The disk is full.");

    std::string failure = log.appendRunBlock({"now"}, 10);
    EXPECT_NE(failure.find("The disk is full."), std::string::npos) << failure;
    EXPECT_NE(failure.find(logPath), std::string::npos) << failure;
    EXPECT_NE(log.appendRecycleRecord("record").find("The disk is full."), std::string::npos);
    EXPECT_EQ(fake.files.contentsOf(logPath), before);
}

TEST_F(CleanLogTest, LockedLogIsNotOverwritten) {
    const std::string before = crlf({"", daysAgo(1), "run"});
    fake.files.addFile(logPath, before);
    fake.files.lock(logPath);

    EXPECT_NE(log.appendRunBlock({"now"}, 10).find(logPath), std::string::npos);
    EXPECT_NE(log.appendRecycleRecord("record"), "");
    EXPECT_EQ(fake.files.contentsOf(logPath), before);
}

} // namespace
} // namespace dustbane
