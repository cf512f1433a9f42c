#include "fakes/fake_platform.h"
#include "settings/settings_summary.h"

#include <gtest/gtest.h>
#include <vector>

namespace dustbane {
namespace {

using testing::FakePlatform;
using Line = testing::RecordingWindow::Line;

constexpr LineImage info = LineImage::Information;
constexpr LineImage note = LineImage::Note;
constexpr LineImage warning = LineImage::Warning;

const std::vector<std::string> enabledAtStartUp = {
    "  Temporary folder",
    "  IE Temporary folder",
    "  Windows hotfix or patch",
    "  Windows error report",
    "  WDI created files",
    "  Firefox cache folder",
    "  Acdsee database",
    "  Picture Thumb cache",
    "  Google Earth Cache",
    "  Acrobat Reader8 Cache",
    "  .tmp .old .bak ",
    "  Log files (*.log)",
    "  Temporary files (*.~xy, ~xy.*)",
};

struct SummaryTest : ::testing::Test {
    FakePlatform fake;
    CleanSettings settings;
    LanguageTable language;
    ProtectedFolders folders{fake.shell, fake.files};
    SettingsSummary summary{settings, language, fake.window.model, folders};

    SummaryTest() { settings.PathList = {{"C:", true}}; }

    int lineOf(const std::string& caption) const {
        const auto& lines = fake.window.lines;
        for (size_t i = 0; i < lines.size(); ++i) {
            if (lines[i].caption == caption) {
                return static_cast<int>(i);
            }
        }
        ADD_FAILURE() << "no line " << caption;
        return -1;
    }
};

TEST_F(SummaryTest, FirstStartShowsSearchPathOtherHeadingAndThirteenOptions) {
    fake.window.showLines({{"an old result line", LineImage::FileRemoved}});
    fake.window.status = {"Cleaned over.", "Deleted: 3", "Past: 00:00:04"};

    summary.rebuild();

    std::vector<Line> expected = {
        {"Search path: ", info},
        {"  C:", warning},
        {"  Program, system and AppData folders are not searched", LineImage::Note},
        {"Other folders or files to clean:", info},
    };
    for (const auto& caption : enabledAtStartUp) {
        expected.push_back({caption, info});
    }
    EXPECT_EQ(fake.window.lines, expected);
    EXPECT_EQ(fake.window.header, "Now Settings");
    EXPECT_EQ(fake.window.status,
              (std::vector<std::string>{"Double click setting to change", "", ""}));
    EXPECT_TRUE(summary.shown());
}

TEST_F(SummaryTest, EmptyFolderOptionComesThird) {
    settings.Empfolder = true;
    summary.rebuild();
    auto captions = fake.window.captions();
    ASSERT_EQ(captions.size(), 4u + 14u);
    EXPECT_EQ(captions[5], "  IE Temporary folder");
    EXPECT_EQ(captions[6], "  Delete empty folder");
}

TEST_F(SummaryTest, OptionsOffAndNotShownFlagsLeaveNoLines) {
    for (const FlagField& flag : flagFields) {
        settings.*flag.field = false;
    }
    settings.Recycle = true;
    settings.PathList = {{"C:\\Users\\tester\\Documents", true}};
    summary.rebuild();
    EXPECT_EQ(fake.window.captions(),
              (std::vector<std::string>{"Search path: ", "  C:\\Users\\tester\\Documents",
                                        "Other folders or files to clean:"}));
}

TEST_F(SummaryTest, ASearchPathAboveProgramStateSaysThatItIsPassedBy) {
    // Below each of these lies the Windows folder, a profile's AppData or ProgramData.
    for (const char* path :
         {"C:", "C:\\", "c:\\USERS", "C:\\users\\tester", "C:\\Users\\..", "C:\\users\\other"}) {
        settings.PathList = {{"D:\\Data", true}, {path, true}};
        summary.rebuild();
        const auto captions = fake.window.captions();
        EXPECT_EQ(captions.at(3), "  Program, system and AppData folders are not searched") << path;
    }
    // Inside program state, or beside it: scanned as given, nothing passed by.
    for (const char* path : {"C:\\windows", "C:\\users\\tester\\AppData\\Local", "C:\\Data",
                             "C:\\ProgramData\\Vendor"}) {
        settings.PathList = {{path, true}};
        summary.rebuild();
        EXPECT_EQ(fake.window.captions().at(2), "Other folders or files to clean:") << path;
    }
}

TEST_F(SummaryTest, NoCheckedSearchPathReadsNone) {
    settings.PathList = {{"D:\\Data", false}};
    summary.rebuild();
    ASSERT_GE(fake.window.lines.size(), 2u);
    EXPECT_EQ(fake.window.lines[0], (Line{"Search path:  NONE", info}));
    EXPECT_EQ(fake.window.lines[1].caption, "Other folders or files to clean:");
}

TEST_F(SummaryTest, PermanentDeleteAndTypesAndNamesComeFirstWithWarnings) {
    settings.Recycle = false;
    settings.Ext = "obj;gss";
    settings.FilesName = "core;a.out";
    summary.rebuild();
    const auto& lines = fake.window.lines;
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[0], (Line{"  Delete permanently(can not be restored!)", warning}));
    EXPECT_EQ(lines[1], (Line{"Clean file types: obj;gss", warning}));
    EXPECT_EQ(lines[2], (Line{"Clean files: core;a.out", warning}));
    EXPECT_EQ(lines[3].caption, "Search path: ");
    EXPECT_EQ(summary.fileTypesText(), "obj;gss");
    EXPECT_EQ(summary.fileNamesText(), "core;a.out");
}

TEST_F(SummaryTest, RebuildCopiesTheTextsAgainEvenWhenEmptied) {
    settings.Ext = "obj";
    summary.rebuild();
    settings.Ext.clear();
    summary.rebuild();
    EXPECT_EQ(summary.fileTypesText(), "");
    EXPECT_EQ(lineOf("Search path: "), 0);
}

TEST_F(SummaryTest, ListsShowCheckedEntriesOnlyAndDropEmptyHeadings) {
    settings.PathList = {{"C:\\Data", true}, {"D:", false}, {"E:", true}};
    settings.PathexList = {{"C:\\Data\\Keep", true}, {"C:\\Data\\Off", false}};
    settings.FolderList = {{"C:\\Junk", false}};
    settings.FileList = {{"C:\\a.txt", true}};
    summary.rebuild();

    std::vector<Line> expected = {
        {"Search path: ", info},    {"  C:\\Data", warning},
        {"  E:", warning},          {"Exclude path:", info},
        {"  C:\\Data\\Keep", note}, {"Delete files:", info},
        {"  C:\\a.txt", warning},   {"Other folders or files to clean:", info},
    };
    std::vector<Line> head(fake.window.lines.begin(),
                           fake.window.lines.begin() +
                               std::min(fake.window.lines.size(), expected.size()));
    EXPECT_EQ(head, expected);

    settings.PathexList.clear();
    settings.FolderList = {{"C:\\Junk", true}};
    settings.FileList = {{"C:\\a.txt", false}};
    summary.rebuild();
    auto captions = fake.window.captions();
    EXPECT_EQ(std::vector<std::string>(captions.begin() + 3, captions.begin() + 6),
              (std::vector<std::string>{"Delete folders:", "  C:\\Junk",
                                        "Other folders or files to clean:"}));
}

TEST_F(SummaryTest, ModifyPagesFollowTheLineOrItsHeading) {
    settings.Recycle = false;
    settings.Ext = "obj";
    settings.FilesName = "core";
    settings.Empfolder = true;
    settings.PathList = {{"C:\\Windows\\Temp", true}, {"D:\\Data", true}};
    settings.PathexList = {{"D:\\Data\\Keep", true}};
    settings.FolderList = {{"D:\\Junk", true}};
    settings.FileList = {{"D:\\x.txt", true}};
    summary.rebuild();

    const std::pair<const char*, std::optional<OptionsPage>> cases[] = {
        {"  Delete permanently(can not be restored!)", OptionsPage::Specific},
        {"Clean file types: obj", OptionsPage::Filters},
        {"Clean files: core", OptionsPage::Filters},
        {"Search path: ", OptionsPage::Pathes},
        {"  C:\\Windows\\Temp", OptionsPage::Clean},
        {"  D:\\Data", OptionsPage::Pathes},
        {"  D:\\Data\\Keep", OptionsPage::Pathes},
        {"Delete folders:", OptionsPage::Specific},
        {"  D:\\Junk", OptionsPage::Specific},
        {"  D:\\x.txt", OptionsPage::Specific},
        {"Other folders or files to clean:", OptionsPage::Filters},
        {"  Temporary folder", OptionsPage::Clean},
        {"  IE Temporary folder", OptionsPage::Clean},
        {"  Delete empty folder", OptionsPage::Specific},
        {"  Windows error report", OptionsPage::Clean},
        {"  WDI created files", OptionsPage::Filters},
        {"  Firefox cache folder", OptionsPage::Clean},
        {"  Acdsee database", OptionsPage::Clean},
        {"  Picture Thumb cache", OptionsPage::Filters},
        {"  Log files (*.log)", OptionsPage::Filters},
    };
    for (const auto& [caption, page] : cases) {
        EXPECT_EQ(summary.pageForLine(lineOf(caption)), page) << caption;
    }
}

TEST_F(SummaryTest, ModifyWithoutSelectionOrMatchKeepsThePage) {
    summary.rebuild();
    EXPECT_EQ(summary.pageForLine(-1), std::nullopt);
    EXPECT_EQ(summary.pageForLine(static_cast<int>(fake.window.lines.size())), std::nullopt);

    fake.window.showLines({{"10:42:07 Began", info}, {"  C:\\x.obj", LineImage::FileRemoved}});
    EXPECT_EQ(summary.pageForLine(1), std::nullopt);
}

TEST_F(SummaryTest, TranslatedHeadingsNoLongerMatchButOptionLinesDo) {
    language.loadText([&] {
        std::vector<std::string> entries(LanguageTable::builtIn().begin(),
                                         LanguageTable::builtIn().end());
        auto line = [&](Text name) -> std::string& { return entries[static_cast<size_t>(name)]; };
        line(Text::NowSettings) = "Aktuelle Einstellungen";
        line(Text::SearchPath) = "Suchpfad";
        line(Text::None) = "KEINER";
        line(Text::OtherFoldersOrFiles) = "Weitere Ordner oder Dateien";
        line(Text::DoubleClickToChange) = "Doppelklick zum Ändern";
        std::string joined;
        for (const auto& entry : entries) {
            joined += entry + "\r\n";
        }
        return joined;
    }());
    settings.PathList = {{"D:\\Data", true}};
    summary.rebuild();

    EXPECT_EQ(fake.window.header, "Aktuelle Einstellungen");
    EXPECT_EQ(fake.window.status[0], "Doppelklick zum Ändern");
    EXPECT_EQ(summary.pageForLine(lineOf("Suchpfad: ")), std::nullopt);
    EXPECT_EQ(summary.pageForLine(lineOf("  D:\\Data")), std::nullopt);
    EXPECT_EQ(summary.pageForLine(lineOf("Weitere Ordner oder Dateien:")), std::nullopt);
    EXPECT_EQ(summary.pageForLine(lineOf("  IE Temporary folder")), OptionsPage::Clean);
    EXPECT_EQ(summary.pageForLine(lineOf("  Acrobat Reader8 Cache")), OptionsPage::Filters)
        << "walks up to the English caption \"WDI created files\"";

    settings.PathList.clear();
    summary.rebuild();
    EXPECT_EQ(fake.window.lines[0].caption, "Suchpfad:  KEINER");
}

} // namespace
} // namespace dustbane
