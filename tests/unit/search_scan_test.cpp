#include "engine/search_scan.h"
#include "engine_fixture.h"

#include <functional>
#include <vector>

namespace dustbane::testing {
namespace {

using Lines = std::vector<RecordingWindow::Line>;

struct RuleCase {
    const char* name;
    uint64_t size;
    FileRule expected;
    std::function<void(CleanSettings&)> adjust;
};

void PrintTo(const RuleCase& c, std::ostream* out) {
    *out << c.name << " (" << c.size << ")";
}

class FileRules : public ::testing::TestWithParam<RuleCase> {};

// Default settings with Zerofile: Picthumb, Tempfile, Zerofile, Oldfile and Logfile set; no
// lists.
TEST_P(FileRules, FirstRuleThatHolds) {
    const RuleCase& c = GetParam();
    CleanSettings settings;
    settings.Zerofile = true;
    if (c.adjust) {
        c.adjust(settings);
    }
    EXPECT_EQ(selectingRule(settings, c.name, c.size), c.expected);
}

auto files(const char* list) {
    return [list](CleanSettings& s) { s.FilesName = list; };
}
auto extensions(const char* list) {
    return [list](CleanSettings& s) { s.Ext = list; };
}

INSTANTIATE_TEST_SUITE_P(
    Table, FileRules,
    ::testing::Values(
        RuleCase{"Thumbs.db", 10, FileRule::ThumbsDb, {}},
        RuleCase{"Thumbs.db", 0, FileRule::ThumbsDb, {}}, // listed without the zero-byte mark
        RuleCase{"thumbs.db", 10, FileRule::None, {}},
        RuleCase{"thumbs.db", 0, FileRule::ZeroSize, {}},
        RuleCase{"Thumbs.db", 10, FileRule::None, [](CleanSettings& s) { s.Picthumb = false; }},
        RuleCase{"~$report.docx", 10, FileRule::TildeName, {}},
        RuleCase{"~$report.docx", 0, FileRule::TildeName, {}},
        RuleCase{"report.~dc", 10, FileRule::TildeExtension, {}},
        RuleCase{"~$report.docx", 10, FileRule::None, [](CleanSettings& s) { s.Tempfile = false; }},
        RuleCase{"report.~dc", 10, FileRule::None, [](CleanSettings& s) { s.Tempfile = false; }},
        RuleCase{"empty.txt", 0, FileRule::None, [](CleanSettings& s) { s.Zerofile = false; }},
        RuleCase{"setup.TMP", 10, FileRule::OldExtension, {}},
        RuleCase{"a.Bak", 10, FileRule::OldExtension, {}},
        RuleCase{"a.old", 10, FileRule::OldExtension, {}},
        RuleCase{"a.tmp.txt", 10, FileRule::None, {}}, RuleCase{"tmp", 10, FileRule::None, {}},
        RuleCase{"a.tmp", 10, FileRule::None, [](CleanSettings& s) { s.Oldfile = false; }},
        RuleCase{"server.LOG", 10, FileRule::LogExtension, {}},
        RuleCase{"server.log", 10, FileRule::None, [](CleanSettings& s) { s.Logfile = false; }},
        RuleCase{"ends in dot.", 10, FileRule::None, extensions("x;;y")},
        RuleCase{"log.", 10, FileRule::None, {}},
        RuleCase{"desktop.ini", 10, FileRule::ListedName, files("x.txt;desktop.ini")},
        RuleCase{"Desktop.ini", 10, FileRule::None, files("x.txt;desktop.ini")},
        RuleCase{"desktop.ini", 0, FileRule::ZeroSize, files("desktop.ini")},
        RuleCase{"desktop.ini", 10, FileRule::None, files(" desktop.ini")},
        RuleCase{"a.obj", 10, FileRule::ListedExtension, extensions("OBJ;gss")},
        RuleCase{"a.GSS", 10, FileRule::ListedExtension, extensions("OBJ;gss")},
        RuleCase{"a.ob", 10, FileRule::None, extensions("obj;gss")},
        RuleCase{"a.gss", 10, FileRule::None, extensions("obj; gss")},
        RuleCase{"a.obj", 10, FileRule::None, extensions(".obj")},
        RuleCase{"a.gss", 10, FileRule::ListedExtension, extensions("obj;;gss")},
        RuleCase{"a.tmp", 10, FileRule::ListedExtension,
                 [](CleanSettings& s) {
                     s.Oldfile = false;
                     s.Ext = "tmp";
                 }},
        // Only ASCII letters are folded: a non-ASCII extension must match byte for byte.
        RuleCase{"a.\xC3\x84x", 10, FileRule::None, extensions("\xC3\xA4x")},
        RuleCase{"a.\xC3\x84X", 10, FileRule::ListedExtension, extensions("\xC3\x84x")}));

class ScanTest : public EngineTest {
  protected:
    ScanTest() {
        run.listEachItem = true;
        run.recycleAllowed = true;
    }
    bool scan(const std::string& path) { return scanSearchPath(deletion, path); }
    bool listed(const std::string& folder) const {
        for (const auto& path : fake.files.listedFolders()) {
            if (path == folder) {
                return true;
            }
        }
        return false;
    }
};

TEST_F(ScanTest, DeletesSelectedFilesDepthFirstWithTheirLines) {
    fake.files.addFile("C:\\s\\a\\x.tmp");
    fake.files.addFile("C:\\s\\a\\keep.txt");
    fake.files.addFile("C:\\s\\b.bak");
    fake.files.addFile("C:\\s\\c.txt", "");
    fake.files.addFile("C:\\s\\d.txt");
    settings.Zerofile = true;

    EXPECT_FALSE(scan("C:\\s"));
    EXPECT_EQ(fake.window.lines, (Lines{{"C:\\s\\a\\x.tmp", LineImage::FileRemoved},
                                        {"C:\\s\\b.bak", LineImage::FileRemoved},
                                        {"C:\\s\\c.txt (0 byte)", LineImage::FileRemoved}}));
    EXPECT_EQ(fake.files.treeBelow("C:\\s"),
              (std::vector<std::string>{"C:\\s\\a", "C:\\s\\a\\keep.txt", "C:\\s\\d.txt"}));
    EXPECT_EQ(fake.window.repaints, 3);
    EXPECT_EQ(fake.window.position, 5); // one step per file, none per folder
    EXPECT_EQ(model.deletedCount(), 3);
}

// The scan hands the listing's attributes on rather than asking again: a read-only file must
// still lose its attribute first, and hidden or system files need no call of their own.
TEST_F(ScanTest, ReadOnlyHiddenAndSystemFilesGoWithTheAttributesTheListingGave) {
    settings.Recycle = false;
    fake.files.addFile("C:\\s\\ro.tmp", "x", attributes::readOnly);
    fake.files.addFile("C:\\s\\hs.tmp", "x", attributes::hidden | attributes::system);
    fake.files.addFile("C:\\s\\all.tmp", "x",
                       attributes::readOnly | attributes::hidden | attributes::system);

    scan("C:\\s");
    EXPECT_TRUE(fake.files.treeBelow("C:\\s").empty());
    EXPECT_EQ(model.deletedCount(), 3);
}

TEST_F(ScanTest, WithDisplayClearItemsGoWithoutLines) {
    settings.Display = false;
    settings.Empfolder = true;
    fake.files.addFile("C:\\s\\b.bak");
    fake.files.addFolder("C:\\s\\empty");
    scan("C:\\s");
    EXPECT_TRUE(fake.files.treeBelow("C:\\s").empty());
    EXPECT_TRUE(fake.window.lines.empty());
}

TEST_F(ScanTest, MissingFolderIsEmptyAndNothingIsListed) {
    EXPECT_TRUE(scan("C:\\nowhere"));
    EXPECT_TRUE(fake.files.listedFolders().empty());
}

TEST_F(ScanTest, ExclusionsMatchTheExactTextOnly) {
    for (const char* folder : {"C:\\s\\ex", "C:\\s\\slash", "C:\\s\\Case", "C:\\s\\off"}) {
        fake.files.addFile(std::string(folder) + "\\a.tmp");
    }
    settings.PathexList = {{"C:\\s\\ex", true},
                           {"C:\\s\\slash\\", true},
                           {"C:\\s\\case", true},
                           {"C:\\s\\off", false}};

    scan("C:\\s");
    EXPECT_TRUE(fake.files.exists("C:\\s\\ex\\a.tmp"));
    EXPECT_FALSE(listed("C:\\s\\ex\\"));
    EXPECT_FALSE(fake.files.exists("C:\\s\\slash\\a.tmp"));
    EXPECT_FALSE(fake.files.exists("C:\\s\\Case\\a.tmp"));
    EXPECT_FALSE(fake.files.exists("C:\\s\\off\\a.tmp"));

    settings.PathexList = {{"C:\\s", true}};
    fake.files.addFile("C:\\s\\b.tmp");
    EXPECT_FALSE(scan("C:\\s"));
    EXPECT_TRUE(fake.files.exists("C:\\s\\b.tmp"));
}

TEST_F(ScanTest, EmptySubfoldersGoButFoldersEmptiedNowAndTheSearchedFolderStay) {
    settings.Empfolder = true;
    fake.files.addFolder("C:\\s\\outer\\inner");
    fake.files.addFile("C:\\s\\dots\\.keep");
    fake.files.addFile("C:\\s\\emptied\\a.tmp");

    EXPECT_FALSE(scan("C:\\s"));
    EXPECT_EQ(fake.files.treeBelow("C:\\s"),
              (std::vector<std::string>{"C:\\s\\emptied", "C:\\s\\outer"}));
    EXPECT_EQ(fake.window.lines,
              (Lines{{"C:\\s\\dots (Empty folder)", LineImage::FolderRemoved},
                     {"C:\\s\\emptied\\a.tmp", LineImage::FileRemoved},
                     {"C:\\s\\outer\\inner (Empty folder)", LineImage::FolderRemoved}}));

    fake.files.eraseTree("C:\\s\\emptied");
    fake.files.eraseTree("C:\\s\\outer");
    EXPECT_TRUE(scan("C:\\s"));
    EXPECT_TRUE(fake.files.directoryExists("C:\\s"));
}

TEST_F(ScanTest, AStopInsideASubfolderNeverMakesItEmpty) {
    settings.Empfolder = true;
    fake.files.addFile("C:\\s\\sub\\keep.dat");
    fake.files.addFile("C:\\s\\z.tmp");
    stopWhenShowing("Searching C:\\s\\sub\\");

    EXPECT_FALSE(scan("C:\\s"));
    EXPECT_TRUE(fake.files.exists("C:\\s\\sub\\keep.dat"));
    EXPECT_TRUE(fake.files.exists("C:\\s\\z.tmp"));
    EXPECT_TRUE(fake.window.lines.empty());
}

TEST_F(ScanTest, TheDriveWrittenBareIsScannedFromItsRoot) {
    fake.files.addFile("C:\\top.tmp");
    fake.files.addFile("C:\\deep\\er.tmp");
    scan("C:");
    EXPECT_TRUE(listed("C:\\"));
    EXPECT_TRUE(listed("C:\\deep\\"));
    EXPECT_FALSE(fake.files.exists("C:\\top.tmp"));
    EXPECT_FALSE(fake.files.exists("C:\\deep\\er.tmp"));
}

TEST_F(ScanTest, LinksAreContentButNeverEnteredOrDeleted) {
    settings.Empfolder = true;
    fake.files.addFile("D:\\precious\\a.tmp");
    fake.files.addFile("D:\\precious\\sub\\b.log");
    fake.files.addFolderLink("C:\\s\\onlylink\\jump", "D:\\precious");
    fake.files.addFolderLink("C:\\s\\loop\\back", "C:\\s");
    fake.files.addFile("C:\\s\\loop\\c.tmp");

    EXPECT_FALSE(scan("C:\\s"));
    EXPECT_TRUE(fake.files.exists("D:\\precious\\a.tmp"));
    EXPECT_TRUE(fake.files.exists("D:\\precious\\sub\\b.log"));
    EXPECT_TRUE(fake.files.exists("C:\\s\\onlylink\\jump"));
    EXPECT_FALSE(fake.files.exists("C:\\s\\loop\\c.tmp"));
    for (const auto& path : fake.files.listedFolders()) {
        EXPECT_EQ(path.find("jump"), std::string::npos) << path;
        EXPECT_EQ(path.find("back"), std::string::npos) << path;
    }
}

TEST_F(ScanTest, SearchPathsAreScannedInOrderWhenChecked) {
    fake.files.addFile("C:\\one\\a.tmp");
    fake.files.addFile("C:\\two\\b.tmp");
    fake.files.addFile("C:\\three\\c.tmp");
    settings.PathList = {{"C:\\one", true}, {"C:\\two", false}, {"C:\\three", true}};

    cleanSearchPaths(deletion);
    EXPECT_EQ(fake.window.lines, (Lines{{"10:42:07 Began Search C:\\one", LineImage::Note},
                                        {"C:\\one\\a.tmp", LineImage::FileRemoved},
                                        {"10:42:07 Began Search C:\\three", LineImage::Note},
                                        {"C:\\three\\c.tmp", LineImage::FileRemoved}}));
    EXPECT_TRUE(fake.files.exists("C:\\two\\b.tmp"));
}

TEST_F(ScanTest, AListEditedDuringTheScanIsReadSafely) {
    fake.files.addFile("C:\\one\\a.tmp");
    fake.files.addFile("C:\\two\\b.tmp");
    settings.PathList = {{"C:\\one", true}, {"C:\\two", true}};
    fake.window.onPump = [this] { settings.PathList.clear(); };

    cleanSearchPaths(deletion);
    EXPECT_FALSE(fake.files.exists("C:\\one\\a.tmp"));
    EXPECT_TRUE(fake.files.exists("C:\\two\\b.tmp"));
}

// A drive-wide scan with the start-up rules, on a machine laid out as Windows lays it out.
class WideScanTest : public ScanTest {
  protected:
    WideScanTest() {
        settings.Empfolder = true;
        for (const char* state :
             {"C:\\windows\\setup.log", "C:\\Program Files\\App\\error.log",
              "C:\\ProgramData\\Vendor\\state.bak",
              "C:\\users\\tester\\AppData\\Local\\Chromium\\Default\\000003.log",
              "C:\\users\\other\\AppData\\Roaming\\app\\settings.old"}) {
            fake.files.addFile(state, "program state");
        }
        fake.files.addFile("C:\\users\\tester\\project\\build.log", "clutter");
        fake.files.addFolder("C:\\users\\tester\\Documents");
        fake.files.addFolder("C:\\users\\Public");
        fake.shell.specialFolders[SpecialFolder::ProgramFiles] = "C:\\Program Files";
    }
};

TEST_F(WideScanTest, PassesProgramStateByAndRemovesNoProtectedOrKnownFolder) {
    EXPECT_FALSE(scan("C:"));
    EXPECT_EQ(fake.files.treeBelow("C:\\users\\tester\\project"), std::vector<std::string>{});
    for (const char* kept : {"C:\\windows\\setup.log", "C:\\Program Files\\App\\error.log",
                             "C:\\ProgramData\\Vendor\\state.bak",
                             "C:\\users\\tester\\AppData\\Local\\Chromium\\Default\\000003.log",
                             "C:\\users\\other\\AppData\\Roaming\\app\\settings.old",
                             "C:\\users\\tester\\Documents", "C:\\users\\Public"}) {
        EXPECT_TRUE(fake.files.exists(kept)) << kept;
    }
    for (const char* passed : {"C:\\windows", "C:\\ProgramData", "C:\\users\\tester\\AppData"}) {
        EXPECT_FALSE(listed(passed)) << passed;
    }
    // The empty profile is left with a warning; an empty known folder without one.
    const auto captions = fake.window.captions();
    EXPECT_NE(std::find(captions.begin(), captions.end(),
                        "10:42:07 Protected folder, not cleaned: C:\\users\\Public"),
              captions.end());
    EXPECT_NE(std::find(captions.begin(), captions.end(), "C:\\users\\tester\\project\\build.log"),
              captions.end());
}

TEST_F(WideScanTest, ASearchPathInsideProgramStateIsScannedAsGiven) {
    EXPECT_FALSE(scan("C:\\ProgramData"));
    EXPECT_FALSE(fake.files.exists("C:\\ProgramData\\Vendor\\state.bak"));
    EXPECT_FALSE(scan("C:\\users\\tester\\AppData\\Local"));
    EXPECT_FALSE(
        fake.files.exists("C:\\users\\tester\\AppData\\Local\\Chromium\\Default\\000003.log"));
}

TEST_F(WideScanTest, TwinsGoAsTheItemsTheScanSelected) {
    fake.files.addFile("C:\\s\\abc\\inside.txt", "keep");
    fake.files.addFolder("C:\\s\\abc.");
    fake.files.addFile("C:\\s\\data", "keep");
    fake.files.addFile("C:\\s\\data.", "");
    fake.files.addFile("C:\\s\\note", "keep");
    fake.files.addFile("C:\\s\\note ", "");
    settings.Zerofile = true;
    settings.Recycle = false;

    EXPECT_FALSE(scan("C:\\s"));
    EXPECT_EQ(fake.files.treeBelow("C:\\s"),
              (std::vector<std::string>{"C:\\s\\abc", "C:\\s\\abc\\inside.txt", "C:\\s\\data",
                                        "C:\\s\\note"}));
    EXPECT_EQ(fake.window.captions(),
              (std::vector<std::string>{"C:\\s\\abc. (Empty folder)", "C:\\s\\data. (0 byte)",
                                        "C:\\s\\note  (0 byte)"}));
}

} // namespace
} // namespace dustbane::testing
