#include "fakes/fake_system.h"
#include "settings/path_list_edit.h"

#include <gtest/gtest.h>

namespace dustbane {
namespace {

TEST(OptionsLists, AddRefusesOnlyTheExactTextAndKeepsTheSystemOrder) {
    testing::FakeSystem system;
    CheckedPathList list = {{"C:\\Alpha", false}, {"C:\\Gamma", true}};

    EXPECT_FALSE(addUnlessListed(list, "C:\\Alpha", system));
    EXPECT_FALSE(addUnlessListed(list, "", system));
    EXPECT_TRUE(addUnlessListed(list, "c:\\alpha", system));
    EXPECT_TRUE(addUnlessListed(list, "C:\\Beta", system));

    CheckedPathList expected = {
        {"C:\\Alpha", false}, {"c:\\alpha", true}, {"C:\\Beta", true}, {"C:\\Gamma", true}};
    EXPECT_EQ(list, expected);
}

TEST(OptionsLists, RemovesSelectedRowsInAnyOrder) {
    CheckedPathList list = {{"A", true}, {"B", true}, {"C", true}, {"D", true}, {"E", true}};
    removeRows(list, {3, 0, 2, 3, 9});
    EXPECT_EQ(list, (CheckedPathList{{"B", true}, {"E", true}}));
    removeRows(list, {});
    EXPECT_EQ(list.size(), 2u);
}

TEST(OptionsLists, LogDaysAreClampedAndNonNumbersReadAsOne) {
    const std::pair<const char*, int32_t> cases[] = {
        {"10", 10},
        {"1", 1},
        {"100", 100},
        {"0", 1},
        {"101", 100},
        {"500", 100},
        {"007", 7},
        {"000", 1},
        {"", 1},
        {"abc", 1},
        {"12a", 1},
        {"-5", 1},
        {" 12", 1},
        {"99999999999999999999", 100},
        {"0000000000000000000042", 42},
    };
    for (auto [text, days] : cases) {
        EXPECT_EQ(logDaysFromText(text), days) << '"' << text << '"';
    }
}

} // namespace
} // namespace dustbane
