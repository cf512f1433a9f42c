#include "text/fill_in.h"
#include "text/size_text.h"

#include <gtest/gtest.h>
#include <limits>

namespace dustbane {
namespace {

const NumberFormat english{".", ","};
const NumberFormat german{",", "."};
// French groups digits with a narrow no-break space, three bytes in UTF-8.
const NumberFormat french{",", "\u202F"};
constexpr uint64_t largest = std::numeric_limits<uint64_t>::max();
constexpr uint64_t kb = 1024;
constexpr uint64_t mb = kb * kb;
constexpr uint64_t gb = mb * kb;

struct Sized {
    uint64_t bytes;
    const char* text;
};

TEST(SizeText, KeepsThreeDigitsInTheLargestUnitThatReadsBelowAThousand) {
    const Sized cases[] = {
        {0, "0 bytes"},
        {1, "1 byte"},
        {2, "2 bytes"},
        {812, "812 bytes"},
        {1023, "1,023 bytes"},
        {kb, "1.00 KB"},
        {10 * kb - 1, "9.99 KB"},
        {10 * kb, "10.0 KB"},
        {100 * kb - 1, "99.9 KB"},
        {100 * kb, "100 KB"},
        {812 * kb, "812 KB"},
        {1000 * kb - 1, "999 KB"},
        // As Explorer does: four digits in one unit read as a fraction of the next.
        {1000 * kb, "0.97 MB"},
        {1023 * kb, "0.99 MB"},
        {mb - 1, "0.99 MB"},
        {mb, "1.00 MB"},
        {13'002'343, "12.4 MB"},
        {1000 * mb, "0.97 GB"},
        {1'341'112'632, "1.24 GB"},
        {gb * kb - 1, "0.99 TB"},
        {1000 * gb * kb * kb, "0.97 EB"},
        {gb * gb, "1.00 EB"},
        {largest, "15.9 EB"},
    };
    for (const Sized& size : cases) {
        EXPECT_EQ(sizeText(size.bytes, english), size.text) << size.bytes;
    }
}

TEST(SizeText, CutsOffRatherThanRoundsUp) {
    // Each a byte short of the next shown value: rounding would overstate it.
    const Sized cases[] = {
        {13'002'342, "12.3 MB"},
        {gb + gb / 4 - 1, "1.24 GB"},
        {2 * gb - 1, "1.99 GB"},
        {1000 * gb - 1, "999 GB"},
    };
    for (const Sized& size : cases) {
        EXPECT_EQ(sizeText(size.bytes, english), size.text) << size.bytes;
    }
}

struct Localised {
    const NumberFormat* format;
    uint64_t number;
    const char* size;
    const char* count;
};

TEST(SizeAndCountText, WriteTheLocalesSeparators) {
    const Localised cases[] = {
        {&english, 0, "0 bytes", "0"},
        {&english, 1023, "1,023 bytes", "1,023"},
        {&english, 3412 * kb, "3.33 MB", "3,493,888"},
        {&english, largest, "15.9 EB", "18,446,744,073,709,551,615"},
        {&german, 999, "999 bytes", "999"},
        {&german, 1023, "1.023 bytes", "1.023"},
        {&german, 1'341'112'632, "1,24 GB", "1.341.112.632"},
        {&german, 1'234'567, "1,17 MB", "1.234.567"},
        {&french, 1023, "1\u202F023 bytes", "1\u202F023"},
        {&french, 1'234'567, "1,17 MB", "1\u202F234\u202F567"},
        {&french, 123'456, "120 KB", "123\u202F456"},
    };
    for (const Localised& entry : cases) {
        EXPECT_EQ(sizeText(entry.number, *entry.format), entry.size) << entry.number;
        EXPECT_EQ(countText(entry.number, *entry.format), entry.count) << entry.number;
    }
}

struct Filled {
    const char* pattern;
    std::vector<std::string> values;
    const char* text;
};

TEST(FillIn, PutsEachValueWhereThePatternNamesIt) {
    const Filled cases[] = {
        {"%1 items, %2", {"3", "1.2 MB"}, "3 items, 1.2 MB"},
        // A translation may order the values its own way, or repeat one.
        {"%2 in %1", {"a", "b"}, "b in a"},
        {"%1, %1 and %1", {"x"}, "x, x and x"},
        {"%1%2", {"a", "b"}, "ab"},
        {"%9", {"1", "2", "3", "4", "5", "6", "7", "8", "nine"}, "nine"},
        {"%10", {"one"}, "one0"},
        {"", {"unused"}, ""},
    };
    for (const Filled& entry : cases) {
        EXPECT_EQ(fillIn(entry.pattern, entry.values), entry.text) << entry.pattern;
    }
}

TEST(FillIn, LeavesAPercentWithoutAValueAndTheValuesAsTheyAre) {
    const Filled cases[] = {
        {"100%", {"x"}, "100%"},
        {"%", {}, "%"},
        {"50% off %1", {"now"}, "50% off now"},
        {"%%1", {"x"}, "%x"},
        {"%0 %a %", {"x"}, "%0 %a %"},
        {"%1 and %3", {"a", "b"}, "a and %3"},
        {"%1", {}, "%1"},
        // A file name may hold "%2": it is shown, not filled in again.
        {"%1 then %2", {"%2", "b"}, "%2 then b"},
        {"%2 then %1", {"a", "%1%1"}, "%1%1 then a"},
    };
    for (const Filled& entry : cases) {
        EXPECT_EQ(fillIn(entry.pattern, entry.values), entry.text) << entry.pattern;
    }
}

} // namespace
} // namespace dustbane
