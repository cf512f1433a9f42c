#include "fakes/fake_platform.h"
#include "text/language_table.h"

#include <gtest/gtest.h>

namespace dustbane {
namespace {

using testing::FakePlatform;

TEST(LanguageTable, CodesAreChosenByWholeLanguageIdentifier) {
    const std::pair<uint16_t, const char*> cases[] = {
        {0x0804, "cn"}, {0x0404, "ct"}, {0x0407, "de"}, {0x040C, "fr"},
        {0x0C07, "en"}, {0x080C, "en"}, {0x0409, "en"}, {0x0000, "en"},
    };
    for (auto [id, code] : cases) {
        EXPECT_EQ(LanguageTable::codeFor(id), code) << std::hex << id;
    }
}

TEST(LanguageTable, SplitsAtCrLfLoneCrAndLoneLfAndStopsAtNul) {
    LanguageTable table;
    table.loadText(std::string("Zero\r\nOne\rTwo\nThree\r\n\r\nFive") + '\0' + "Hidden\n");
    EXPECT_EQ(table.text(0), "Zero");
    EXPECT_EQ(table.text(1), "One");
    EXPECT_EQ(table.text(2), "Two");
    EXPECT_EQ(table.text(3), "Three");
    EXPECT_EQ(table.text(4), "");
    EXPECT_EQ(table.text(5), "Five");
    EXPECT_EQ(table.text(6), "Change settings") << "missing entries fall back to English";
}

TEST(LanguageTable, ShortFileFallsBackPerEntryAndOutOfRangeIsEmpty) {
    LanguageTable table;
    table.loadText("Staubfrei\nReinigen\n");
    EXPECT_EQ(table.text(Text::Caption), "Staubfrei");
    EXPECT_EQ(table.text(Text::CleanCaption), "Reinigen");
    EXPECT_EQ(table.text(Text::StopCleanQuestion), "Do you want to stop clean?");
    EXPECT_EQ(table.text(Text::FoldersNotSearched),
              "Program, system and AppData folders are not searched");
    EXPECT_EQ(table.text(LanguageTable::size), "");
    EXPECT_EQ(table.text(-1), "");
}

TEST(LanguageTable, LoadsTheFileOfTheSystemLanguageOnly) {
    FakePlatform fake;
    fake.files.addFile("C:\\Tools\\lang\\de.ini", " Staubfrei \r\nReinigen\r\n");
    fake.files.addFile("C:\\Tools\\lang\\fr.ini", "Sans poussière\r\n");
    LanguageTable table;

    fake.system.languageId = 0x0407;
    table.load(fake.files, fake.system, "C:\\Tools\\");
    EXPECT_EQ(table.text(Text::Caption), " Staubfrei ") << "lines are taken whole, spaces included";
    EXPECT_EQ(table.text(Text::CleanCaption), "Reinigen");

    fake.system.languageId = 0x0C07;
    table.load(fake.files, fake.system, "C:\\Tools\\");
    EXPECT_EQ(table.text(Text::Caption), "Dustbane");
}

TEST(LanguageTable, EnglishFileReplacesBuiltInTexts) {
    FakePlatform fake;
    fake.files.addFile("C:\\Tools\\lang\\en.ini", "My Cleaner\n");
    LanguageTable table;
    table.load(fake.files, fake.system, "C:\\Tools\\");
    EXPECT_EQ(table.text(Text::Caption), "My Cleaner");
}

} // namespace
} // namespace dustbane
