#include "cli/report_format.h"
#include "start/command_line.h"

#include <gtest/gtest.h>

namespace dustbane::testing {
namespace {

struct ParseCase {
    std::vector<std::string> arguments;
    CommandMode mode;
    bool emptyBins;
    bool json = false;
};

TEST(CommandLine, SwitchesInAnyCaseWithEitherPrefix) {
    const std::vector<ParseCase> cases = {
        {{}, CommandMode::Window, false},
        {{"D:\\Photos"}, CommandMode::Window, false},
        // The window examines the first argument only, as it always has.
        {{"D:\\Photos", "/bogus"}, CommandMode::Window, false},
        {{"/preview"}, CommandMode::Preview, false},
        {{"-PREVIEW"}, CommandMode::Preview, false},
        {{"/Clean"}, CommandMode::Clean, false},
        {{"-clean", "/EmptyBin"}, CommandMode::Clean, true},
        {{"/emptybin", "-CLEAN"}, CommandMode::Clean, true},
        {{"/clean", "/clean"}, CommandMode::Clean, false},
        {{"/?"}, CommandMode::Usage, false},
        {{"-?"}, CommandMode::Usage, false},
        {{"/clean", "/?"}, CommandMode::Usage, false},
        {{"/preview", "/JSON"}, CommandMode::Preview, false, true},
        {{"-Json", "/clean", "-emptybin"}, CommandMode::Clean, true, true},
        {{"/json", "/?"}, CommandMode::Usage, false},
        {{"/Unschedule"}, CommandMode::Unschedule, false},
        {{"-UNSCHEDULE", "/unschedule"}, CommandMode::Unschedule, false},
    };
    for (const ParseCase& c : cases) {
        const Command command = parseCommandLine(c.arguments);
        EXPECT_EQ(command.mode, c.mode) << ::testing::PrintToString(c.arguments);
        EXPECT_EQ(command.emptyBins, c.emptyBins) << ::testing::PrintToString(c.arguments);
        EXPECT_EQ(command.json, c.json) << ::testing::PrintToString(c.arguments);
    }
}

TEST(CommandLine, UsageErrorsNameWhatWasWrong) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"/bogus"}, "/bogus"},
        {{"/"}, "/"},
        {{"-"}, "-"},
        {{"/previews"}, "/previews"},
        {{"/clean", "/bogus"}, "/bogus"},
        {{"/?", "/bogus"}, "/bogus"},
        {{"/clean", "D:\\Photos"}, "D:\\Photos"},
        {{"/preview", "/clean"}, "cannot be combined"},
        {{"/emptybin"}, "/clean only"},
        {{"/preview", "/emptybin"}, "/clean only"},
        {{"/json"}, "/preview or /clean only"},
        {{"/json", "D:\\Photos"}, "D:\\Photos"},
        {{"/unschedule", "/clean"}, "/unschedule goes alone"},
        {{"/emptybin", "/unschedule"}, "/unschedule goes alone"},
        {{"/unschedule", "/json"}, "/unschedule goes alone"},
        {{"/unschedule", "D:\\Photos"}, "D:\\Photos"},
    };
    for (const auto& [arguments, named] : cases) {
        const Command command = parseCommandLine(arguments);
        EXPECT_EQ(command.mode, CommandMode::UsageError) << ::testing::PrintToString(arguments);
        EXPECT_NE(command.error.find(named), std::string::npos) << command.error;
        EXPECT_FALSE(command.emptyBins);
    }
}

TEST(ReportFormat, ReadableSizesRoundToOneDecimalAndCarryIntoTheNextUnit) {
    const std::vector<std::pair<uint64_t, std::string>> cases = {
        {0, "0 B"},
        {1023, "1023 B"},
        {1024, "1.0 KB"},
        {1536, "1.5 KB"},
        {3456789, "3.3 MB"},
        {1048575, "1.0 MB"},
        {(5ULL << 30) + 7, "5.0 GB"},
        {UINT64_MAX, "16384.0 PB"},
    };
    for (const auto& [bytes, text] : cases) {
        EXPECT_EQ(readableSize(bytes), text) << bytes;
    }
}

TEST(ReportFormat, ItemAndTotalLines) {
    EXPECT_EQ(itemLine({"C:\\path\\to\\file.tmp", false, 1234, false}),
              "  file    1234  C:\\path\\to\\file.tmp");
    EXPECT_EQ(itemLine({"C:\\path\\to\\folder", true, 56789, true}),
              "  folder  56789  C:\\path\\to\\folder");
    EXPECT_EQ(previewTotalLine({12, 3456000, 789}), "12 items, 3456789 bytes (3.3 MB)");
    EXPECT_EQ(previewTotalLine({1, 1, 0}), "1 item, 1 byte (1 B)");
    EXPECT_EQ(cleanTotalLine({3, 2048, 0}),
              "3 items, 2048 bytes (2.0 KB) deleted permanently, 0 bytes (0 B) moved to the "
              "Recycle Bin");
}

} // namespace
} // namespace dustbane::testing
