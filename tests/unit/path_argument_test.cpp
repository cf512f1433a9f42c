#include "settings/path_argument.h"

#include <gtest/gtest.h>

namespace dustbane {
namespace {

TEST(PathArgument, RepairsTheQuoteThatEndsAQuotedRootAndKeepsEverythingElse) {
    const std::pair<const char*, const char*> cases[] = {
        {"D:\"", "D:\\"},
        {"c:\"", "c:\\"},
        {"\\\\server\\share\"", "\\\\server\\share\\"},
        {"C:\\Temp\"", "C:\\Temp\\"},
        // A further argument merges into the first after the escaped quote.
        {"D:\" second", "D:\\"},
        {"D:\\", "D:\\"},
        {"C:\\Program Files\\My Photos", "C:\\Program Files\\My Photos"},
        {"C:\\Temp\\", "C:\\Temp\\"},
        {"", ""},
    };
    for (auto [raw, expected] : cases) {
        EXPECT_EQ(readPathArgument(raw), expected) << raw;
    }
}

TEST(PathArgument, EqualityIgnoresLetterCaseOnly) {
    struct Case {
        const char* a;
        const char* b;
        bool equal;
    };
    const Case cases[] = {
        {"C:\\Photos", "c:\\PHOTOS", true},
        {"D:\\Bilder\\\xC3\x84pfel", "d:\\bilder\\\xC3\xA4PFEL", true}, // Ä ä
        {"C:\\\xC5\x81\xC3\xB3"
         "d\xC5\xBA",
         "c:\\\xC5\x82\xC3\x93"
         "D\xC5\xB9",
         true},                                                                 // Łódź
        {"C:\\\xD0\x94\xD0\x9E\xD0\x9A", "c:\\\xD0\xB4\xD0\xBE\xD0\xBA", true}, // ДОК
        {"C:\\\xCE\xA6\xCE\xA9", "C:\\\xCF\x86\xCF\x89", true},                 // ΦΩ
        {"C:\\\xC3\x97", "C:\\\xC3\xB7", false}, // × and ÷ are no case pair
        {"C:\\Photos", "C:\\Photos2", false},
        {"C:\\Photos2", "C:\\Photos", false},
        {"C:\\Photo", "C:\\Photos", false},
        {"C:\\Stra\xC3\x9F"
         "e",
         "C:\\STRASSE", false},
        {"C:\\\xFF", "C:\\\xFE", false}, // bytes that are no UTF-8 compare exactly
        {"C:\\\xC3", "C:\\\xC3", true},
        {"", "", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(equalIgnoringCase(c.a, c.b), c.equal) << c.a << " / " << c.b;
    }
}

TEST(PathArgument, ListLookUpMatchesWholeTextsOfCheckedAndUncheckedEntries) {
    CheckedPathList list = {{"C:", true}, {"D:\\Photos", false}};
    EXPECT_TRUE(listHoldsIgnoringCase(list, "d:\\photos"));
    EXPECT_TRUE(listHoldsIgnoringCase(list, "c:"));
    EXPECT_FALSE(listHoldsIgnoringCase(list, "D:\\Photo"));
    EXPECT_FALSE(listHoldsIgnoringCase(list, "C:\\"));
    EXPECT_FALSE(listHoldsIgnoringCase({}, "C:"));
}

} // namespace
} // namespace dustbane
