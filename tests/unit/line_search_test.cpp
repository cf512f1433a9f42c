#include "app/line_search.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace dustbane {
namespace {

int find(const std::vector<std::string>& lines, const std::string& text, int start, bool wrap) {
    return findLineStartingWith(
        static_cast<int>(lines.size()),
        [&lines](int line) -> const std::string& { return lines[static_cast<size_t>(line)]; }, text,
        start, wrap);
}

TEST(LineSearch, FindsTheNextLineThatBeginsWithTheTypedText) {
    const std::vector<std::string> lines = {
        "Search path: ",           "  C:",         "  Temporary folder",
        "Other folders or files:", "  temp again", "  Élan"};
    // The first line is never a fallback: a letter no line begins with finds nothing.
    EXPECT_EQ(find(lines, "x", 0, true), -1);
    EXPECT_EQ(find(lines, "t", 0, true), 2) << "leading blanks are passed over";
    EXPECT_EQ(find(lines, "T", 3, true), 4) << "letter case is ignored, the search goes on";
    EXPECT_EQ(find(lines, "t", 5, true), 2) << "and wraps to the top";
    EXPECT_EQ(find(lines, "t", 5, false), -1);
    EXPECT_EQ(find(lines, "te", 0, true), 2);
    EXPECT_EQ(find(lines, "temp a", 0, true), 4);
    EXPECT_EQ(find(lines, "\xC3\xA9", 0, true), 5) << "accented letters fold too";
    EXPECT_EQ(find(lines, "c", 99, false), 1) << "a start past the end starts at the top";
    EXPECT_EQ(find(lines, "", 0, true), -1);
    EXPECT_EQ(find({}, "s", 0, true), -1);
}

} // namespace
} // namespace dustbane
