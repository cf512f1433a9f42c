// What a clean must never delete, through the real program as a user starts it: the twin that
// the shell reaches when handed a name ending in a dot or a space, the folders a path climbing
// with ".." or naming a drive root leads to, the folders Windows and the user's profile stand
// on, and anything at all when /clean runs on a machine that was never set up.

#include "app/win32/resource_ids.h"
#include "driver/console_run.h"
#include "driver/driver.h"
#include "driver/verbatim_files.h"
#include "platform/win32/text.h"

#include <algorithm>
#include <compare>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <ostream>
#include <regex>
#include <set>
#include <shlobj.h>
#include <stdexcept>
#include <string>
#include <vector>
#include <windows.h>

namespace dustbane::e2e {
namespace {

using Strings = std::vector<std::string>;

// Images of the main list.
constexpr int noteImage = 1;
constexpr int folderImage = 2;
constexpr int fileImage = 3;
constexpr int warningImage = 4;

const std::string keptWords = "Kept, the Recycle Bin cannot take this name: ";
const std::string protectedWords = "Protected folder, not cleaned: ";

// A row of the main list; a timed row keeps only the words after its time.
struct Row {
    bool timed = false;
    std::string text;
    int image = 0;
    auto operator<=>(const Row&) const = default;
};

void PrintTo(const Row& row, std::ostream* out) {
    *out << (row.timed ? "<time> " : "") << row.text << " [image " << row.image << "]";
}

using Rows = std::vector<Row>;
using RowSet = std::multiset<Row>;

Row timed(const std::string& words, int image) {
    return {true, words, image};
}

Row item(const std::string& text, int image) {
    return {false, text, image};
}

// The words after the leading time, or nothing when the row has no time.
std::optional<std::string> afterTime(const std::string& row) {
    static const std::regex time(R"(^\d{1,2}:\d{2}(:\d{2})?( ?[AaPp]\.?[Mm]\.?)? (.*)$)");
    std::smatch match;
    if (!std::regex_match(row, match, time)) {
        return std::nullopt;
    }
    return match[3].str();
}

// Without a trailing backslash, as the shell gives it; not created when absent.
std::string specialFolder(int csidl) {
    wchar_t path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, 0, path))) {
        throw std::runtime_error("no special folder " + std::to_string(csidl));
    }
    return win32::narrow(path);
}

// Each value of the key as "<type> <value>", by name.
std::map<std::string, std::string> storedValues(const RegKey& key) {
    std::map<std::string, std::string> values;
    for (const std::string& name : key.valueNames()) {
        if (const auto number = key.readInt(name)) {
            values[name] = "dword " + std::to_string(*number);
        } else {
            values[name] = "type " + std::to_string(key.valueType(name).value_or(0)) + " " +
                           key.readString(name).value_or("");
        }
    }
    return values;
}

bool atOrBelow(const std::string& path, const std::string& folder) {
    return path == folder || path.starts_with(folder + "\\");
}

class Safety : public Scenario {
  protected:
    // Every stage and rule off, nothing listed, no question before the run: each scenario
    // turns on only what it is about.
    void SetUp() override {
        Scenario::SetUp();
        turnOffFixedLocations();
        for (const char* flag : {"Tempfile", "Oldfile", "Logfile", "Picthumb", "Zerofile",
                                 "Empfolder", "Delfolder", "Displaybox", "Logs"}) {
            settings.writeInt(flag, 0);
        }
        settings.writeInt("Display", 1);
        settings.writeInt("Recycle", 1);
        settings.writeString("FilesName", "");
        settings.writeString("Ext", "");
        for (const char* stem : {"Path", "Folder", "File", "Pathex"}) {
            writeList(stem, {});
        }
    }

    void writeFlags(std::initializer_list<std::pair<const char*, int32_t>> flags) const {
        for (const auto& [name, value] : flags) {
            settings.writeInt(name, value);
        }
    }

    // Every entry checked.
    void writeList(const std::string& stem, const Strings& entries) const {
        settings.writeInt(stem + "num", static_cast<int32_t>(entries.size()));
        for (size_t i = 0; i < entries.size(); ++i) {
            settings.writeString(stem + "a" + std::to_string(i), entries[i]);
        }
    }

    // Starts Dustbane, clicks Clean, keeps the Recycle Bins as they are when asked and closes
    // the program; leaves the run's rows up to its final line in rows_.
    void cleanInWindow(std::chrono::milliseconds timeout = 120s) {
        App app = App::launch();
        HWND window = app.waitForMainWindow();
        ASSERT_TRUE(window) << "no main window";
        HWND list = findChild(window, "SysListView32");
        HWND clean = nullptr;
        for (HWND button : childWindows(window, "Button")) {
            if (GetDlgCtrlID(button) == IDC_TOOL_CLEAN) {
                clean = button;
            }
        }
        ASSERT_TRUE(list && clean);
        if (settings.readInt("Recycle") == 0) {
            // Loading a cleared Recycle asks whether permanent deletion is meant.
            answerMessageBox("Confirmation", IDYES);
        }
        ASSERT_TRUE(waitUntil([&] { return listViewCount(list) > 0; }));
        postCommand(window, IDC_TOOL_CLEAN);
        // Only the last two rows are read while the run goes: each read waits for the program's
        // pump. The final line is followed by the line of what the run freed.
        auto ended = [&] {
            const int count = listViewCount(list);
            const auto words = count > 1 && listViewText(list, count - 1).starts_with("Freed ")
                                   ? afterTime(listViewText(list, count - 2))
                                   : std::nullopt;
            return words &&
                   (words->starts_with("Clean finished: ") || words->starts_with("User stopped: "));
        };
        ASSERT_TRUE(waitUntil(ended, timeout))
            << "no final line: " << ::testing::PrintToString(listViewRows(list));
        // Deletions into the bin end with the offer to empty it, which keeps the Stop face up.
        ASSERT_TRUE(waitUntil(
            [&] { return messageBoxShown("Clear Confirmation") || windowText(clean) == "Clean"; }));
        if (messageBoxShown("Clear Confirmation")) {
            answerMessageBox("Clear Confirmation", IDNO);
        }
        rows_.clear();
        for (int row = 0; row < listViewCount(list) - 1; ++row) {
            const std::string text = listViewText(list, row);
            const auto words = afterTime(text);
            rows_.push_back({words.has_value(), words.value_or(text), listViewImage(list, row)});
        }
        EXPECT_EQ(app.close(), 0u);
    }

    RowSet rowsStartingWith(const std::string& words) const {
        RowSet found;
        for (const Row& row : rows_) {
            if (row.text.starts_with(words)) {
                found.insert(row);
            }
        }
        return found;
    }

    size_t itemRowCount() const {
        return static_cast<size_t>(
            std::count_if(rows_.begin(), rows_.end(), [](const Row& row) { return !row.timed; }));
    }

    Row finishedRow(size_t count) const {
        return timed("Clean finished: " + std::to_string(count) +
                         " files or folders had been cleaned.",
                     noteImage);
    }

    // C:\scratch\<suite>.<test>\, new and empty, with the slashes of a parameterised test's
    // name made dots: a \\?\ path takes no forward slash for a separator.
    const std::string& workFolder() {
        if (work_.empty()) {
            const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
            std::string name = std::string(test->test_suite_name()) + "." + test->name();
            std::replace(name.begin(), name.end(), '/', '.');
            work_ = scratchDir(name);
        }
        return work_;
    }

    Rows rows_;

  private:
    std::string work_;
};

// The twins of a search path and of a folder to delete, and a folder to delete whose own name
// ends in a dot beside its twin, with the rules that select the dotted and spaced names.
struct TwinCase {
    const char* name;
    int recycle;
};

void PrintTo(const TwinCase& twinCase, std::ostream* out) {
    *out << twinCase.name;
}

class TwinNames : public Safety, public ::testing::WithParamInterface<TwinCase> {};

TEST_P(TwinNames, DeleteOnlyTheSelectedNameAndNeverItsTwin) {
    const bool recycle = GetParam().recycle != 0;
    const std::string search = workFolder() + "search";
    const std::string folder = workFolder() + "folder";
    const std::string dotted = workFolder() + "project.";
    const std::string twin = workFolder() + "project";
    const Strings oddNames = {"abc.", "data.", "note "};
    for (const std::string& base : {search, folder}) {
        makeVerbatimFolders(base + "\\abc.");
        makeVerbatimFile(base + "\\abc\\one.txt", "one");
        makeVerbatimFile(base + "\\abc\\two.txt", "two");
        makeVerbatimFile(base + "\\data.", "");
        makeVerbatimFile(base + "\\data", "data bytes");
        makeVerbatimFile(base + "\\note ", "");
        makeVerbatimFile(base + "\\note", "note bytes");
    }
    makeVerbatimFile(dotted + "\\a.txt", "dotted a");
    makeVerbatimFile(dotted + "\\sub\\b.txt", "dotted b");
    makeVerbatimFile(twin + "\\a.txt", "twin a");
    makeVerbatimFile(twin + "\\sub\\b.txt", "twin b");
    makeVerbatimFile(twin + "\\own.txt", "twin own");
    writeFlags({{"Recycle", GetParam().recycle}, {"Empfolder", 1}, {"Zerofile", 1}});
    writeList("Path", {search});
    writeList("Folder", {folder, dotted});
    const TreeSnapshot before = snapshotTree(workFolder(), FileStamp::Hashed);

    ASSERT_NO_FATAL_FAILURE(cleanInWindow());
    const TreeSnapshot after = snapshotTree(workFolder(), FileStamp::Hashed);

    Strings gone;
    RowSet searchRows;
    RowSet keptRows;
    if (recycle) {
        // The shell would read each odd name as its twin's: the odd items stay, each with a
        // line, and the twins, selected only in the folder to delete, go to the bin.
        gone = {folder + "\\abc", folder + "\\data", folder + "\\note"};
        for (const std::string& name : oddNames) {
            searchRows.insert(timed(keptWords + search + "\\" + name, warningImage));
            keptRows.insert(timed(keptWords + search + "\\" + name, warningImage));
            keptRows.insert(timed(keptWords + folder + "\\" + name, warningImage));
        }
    } else {
        // Exactly the selected items go: in the search path the odd ones, in the folders to
        // delete everything, the dotted folder's own items and never its twin's.
        gone = {dotted + "\\a.txt", dotted + "\\sub"};
        for (const std::string& name : oddNames) {
            gone.push_back(search + "\\" + name);
            gone.push_back(folder + "\\" + name);
            gone.push_back(folder + "\\" + name.substr(0, name.size() - 1));
        }
        searchRows = {item(search + "\\abc. (Empty folder)", folderImage),
                      item(search + "\\data. (0 byte)", fileImage),
                      item(search + "\\note  (0 byte)", fileImage)};
    }
    EXPECT_EQ(treeDifferences(without(before, gone), after), Strings{});

    ASSERT_FALSE(rows_.empty());
    const auto began =
        std::find(rows_.begin(), rows_.end(), timed("Began Search " + search, noteImage));
    ASSERT_NE(began, rows_.end()) << ::testing::PrintToString(rows_);
    EXPECT_EQ(RowSet(began + 1, rows_.end() - 1), searchRows);
    for (auto row = rows_.begin(); row != began; ++row) {
        if (!row->timed) {
            EXPECT_TRUE(atOrBelow(row->text, folder) || atOrBelow(row->text, dotted)) << row->text;
            EXPECT_TRUE(before.count(row->text) && !after.count(row->text))
                << "listed as deleted but still there: " << row->text;
        }
    }
    EXPECT_EQ(rows_.back(), finishedRow(itemRowCount()));

    // What stays of the dotted folder is named by a line of its own or of a folder holding it.
    RowSet keptOfDotted;
    RowSet keptElsewhere;
    for (const Row& row : rowsStartingWith(keptWords)) {
        (atOrBelow(row.text.substr(keptWords.size()), dotted) ? keptOfDotted : keptElsewhere)
            .insert(row);
    }
    EXPECT_EQ(keptElsewhere, keptRows);
    if (!recycle) {
        EXPECT_EQ(keptOfDotted, RowSet{});
        return;
    }
    EXPECT_NE(keptOfDotted, RowSet{});
    for (const Row& row : keptOfDotted) {
        EXPECT_TRUE(row.timed && row.image == warningImage) << ::testing::PrintToString(row);
    }
    for (const auto& [path, seen] : after) {
        if (seen.folder || !atOrBelow(path, dotted)) {
            continue;
        }
        EXPECT_TRUE(std::any_of(
            keptOfDotted.begin(), keptOfDotted.end(),
            [&](const Row& row) { return atOrBelow(path, row.text.substr(keptWords.size())); }))
            << "kept without a line: " << path;
    }
}

INSTANTIATE_TEST_SUITE_P(Safety, TwinNames,
                         ::testing::Values(TwinCase{"DeletingPermanently", 0},
                                           TwinCase{"WithTheRecycleBin", 1}),
                         [](const auto& instance) { return std::string(instance.param.name); });

// Where the files lie that another program's registry value may lead to.
struct Places {
    std::string profile = specialFolder(CSIDL_PROFILE);
    std::string documents = specialFolder(CSIDL_PERSONAL);
    std::string local = specialFolder(CSIDL_LOCAL_APPDATA);
    std::string keep = "C:\\keep";
};

// One registry value of another program that leads out of where such a program keeps its
// data; the other program's value stays inside the profile and is cleaned as before.
struct ForeignPathCase {
    const char* name;
    bool earthClimbs; // Google Earth's CachePath, else ACDSee's DBPath
    std::string (*value)(const Places&);
    std::string (*refused)(const Places&); // as the warning names it
};

void PrintTo(const ForeignPathCase& path, std::ostream* out) {
    *out << path.name;
}

class ForeignPaths : public Safety, public ::testing::WithParamInterface<ForeignPathCase> {};

TEST_P(ForeignPaths, LeadingOutOfTheProfileOrToARootAreRefused) {
    const Places at;
    const ForeignPathCase& path = GetParam();
    for (const std::string& file :
         {at.keep + "\\notes.txt", at.keep + "\\dbCache.dat", at.keep + "\\db\\ImageDB.fpt",
          std::string("C:\\dbCache.dat"), at.profile + "\\dbCache.dat", at.profile + "\\notes.txt",
          at.documents + "\\dbCache.dat", at.documents + "\\letter.txt"}) {
        writeFile(file, "precious " + file);
    }
    const std::string database = at.local + "\\ACD Systems\\db";
    const std::string earth = at.local + "\\Google\\Earth";
    writeFile(database + "\\ImageDB.fpt", "db");
    writeFile(database + "\\sub\\t.dat", "thumb");
    writeFile(earth + "\\dbCache.dat", "cache");
    writeFile(earth + "\\other.dat", "other");
    const std::string climbing = path.value(at);
    RegKey(HKEY_CURRENT_USER, "Software\\ACD Systems\\ACDSee\\10.0")
        .writeString("DBPath", path.earthClimbs ? database + "\\sub\\.." : climbing);
    RegKey(HKEY_CURRENT_USER, "Software\\Google\\Google Earth Plus")
        .writeString("CachePath", path.earthClimbs ? climbing : earth + "\\cache\\..");
    writeFlags({{"Acdsee", 1}, {"GoogleEarth", 1}});
    const TreeSnapshot before = snapshotTree("C:", FileStamp::Listed);

    ASSERT_NO_FATAL_FAILURE(cleanInWindow(240s));

    EXPECT_EQ(rowsStartingWith(protectedWords),
              RowSet{timed(protectedWords + path.refused(at), warningImage)});
    // The value that stays inside the profile is cleaned as before.
    const Strings cleaned = path.earthClimbs
                                ? Strings{database + "\\ImageDB.fpt", database + "\\sub"}
                                : Strings{earth + "\\dbCache.dat"};
    EXPECT_EQ(treeDifferences(without(before, cleaned), snapshotTree("C:", FileStamp::Listed)),
              Strings{})
        << ::testing::PrintToString(rows_);
}

INSTANTIATE_TEST_SUITE_P(
    Safety, ForeignPaths,
    ::testing::Values(ForeignPathCase{"AcdseeDatabaseClimbingToItsParent", false,
                                      [](const Places& at) { return at.keep + "\\db\\.."; },
                                      [](const Places& at) { return at.keep; }},
                      ForeignPathCase{"AcdseeDatabaseClimbingToTheDrive", false,
                                      [](const Places& at) { return at.keep + "\\..\\"; },
                                      [](const Places&) { return std::string("C:\\"); }},
                      ForeignPathCase{"AcdseeDatabaseAtTheDriveRoot", false,
                                      [](const Places&) { return std::string("C:\\"); },
                                      [](const Places&) { return std::string("C:\\"); }},
                      ForeignPathCase{"AcdseeDatabaseClimbingToTheProfile", false,
                                      [](const Places& at) { return at.profile + "\\AppData\\.."; },
                                      [](const Places& at) { return at.profile; }},
                      ForeignPathCase{"AcdseeDatabaseClimbingToDocuments", false,
                                      [](const Places& at) { return at.documents + "\\ACD\\.."; },
                                      [](const Places& at) { return at.documents; }},
                      ForeignPathCase{"EarthCacheClimbingToItsParent", true,
                                      [](const Places& at) { return at.keep + "\\db\\.."; },
                                      [](const Places& at) { return at.keep; }},
                      ForeignPathCase{"EarthCacheClimbingToTheDrive", true,
                                      [](const Places& at) { return at.keep + "\\..\\"; },
                                      [](const Places&) { return std::string("C:\\"); }},
                      ForeignPathCase{"EarthCacheAtTheDriveRoot", true,
                                      [](const Places&) { return std::string("C:\\"); },
                                      [](const Places&) { return std::string("C:\\"); }},
                      ForeignPathCase{"EarthCacheClimbingToTheProfile", true,
                                      [](const Places& at) { return at.profile + "\\AppData\\.."; },
                                      [](const Places& at) { return at.profile; }}),
    [](const auto& instance) { return std::string(instance.param.name); });

TEST_F(Safety, ProtectedFoldersNamedForDeletionKeepEverything) {
    const std::string profile = specialFolder(CSIDL_PROFILE);
    // The entry as the user stored it, and the folder it resolves to.
    const std::vector<std::pair<std::string, std::string>> named = {
        {"C:\\windows", "C:\\windows"},
        {"C:\\windows\\system32", "C:\\windows\\system32"},
        {"C:\\Program Files", "C:\\Program Files"},
        {"C:\\keep\\..\\Program Files (x86)", "C:\\Program Files (x86)"},
        {"C:\\ProgramData", "C:\\ProgramData"},
        {"C:\\users", "C:\\users"},
        {profile, profile},
        {"C:\\", "C:\\"},
    };
    writeFile(profile + "\\Documents\\letter.txt", "letter");
    Strings entries;
    RowSet warnings;
    for (const auto& [entry, folder] : named) {
        entries.push_back(entry);
        warnings.insert(timed(protectedWords + folder, warningImage));
    }
    writeFlags({{"Delfolder", 1}});
    writeList("Folder", entries);
    const TreeSnapshot before = snapshotTree("C:", FileStamp::Listed);

    ASSERT_NO_FATAL_FAILURE(cleanInWindow(240s));

    EXPECT_EQ(rowsStartingWith(protectedWords), warnings);
    EXPECT_EQ(rows_.back(), finishedRow(0));
    EXPECT_EQ(treeDifferences(before, snapshotTree("C:", FileStamp::Listed)), Strings{});
}

TEST_F(Safety, ScanOfTheProfileNeverRemovesItsKnownFoldersAsEmpty) {
    const std::string profile = specialFolder(CSIDL_PROFILE);
    const Strings known = {specialFolder(CSIDL_DESKTOPDIRECTORY),
                           specialFolder(CSIDL_PERSONAL),
                           profile + "\\Downloads",
                           specialFolder(CSIDL_MYPICTURES),
                           specialFolder(CSIDL_MYMUSIC),
                           specialFolder(CSIDL_MYVIDEO)};
    for (const std::string& folder : known) {
        removeTree(folder);
        createDirectories(folder);
    }
    const std::string junk = profile + "\\junk";
    createDirectories(junk + "\\empty");
    writeFile(junk + "\\keep.txt", "keep");
    writeFlags({{"Empfolder", 1}});
    writeList("Path", {profile});

    ASSERT_NO_FATAL_FAILURE(cleanInWindow(240s));

    EXPECT_NE(
        std::find(rows_.begin(), rows_.end(), item(junk + "\\empty (Empty folder)", folderImage)),
        rows_.end())
        << ::testing::PrintToString(rows_);
    EXPECT_FALSE(directoryExists(junk + "\\empty"));
    EXPECT_EQ(readFile(junk + "\\keep.txt"), "keep");
    for (const std::string& folder : known) {
        EXPECT_TRUE(directoryExists(folder)) << folder;
        for (const Row& row : rows_) {
            EXPECT_FALSE(atOrBelow(row.text.substr(0, row.text.find(" (")), folder)) << row.text;
        }
    }
}

// A settings key that was never written, and one the window left with its placement only.
struct UnconfiguredCase {
    const char* name;
    bool windowOpenedOnce;
};

void PrintTo(const UnconfiguredCase& unconfigured, std::ostream* out) {
    *out << unconfigured.name;
}

class Unconfigured : public Scenario, public ::testing::WithParamInterface<UnconfiguredCase> {};

TEST_P(Unconfigured, CleanTouchesNothingAndSaysHowToSetUp) {
    if (GetParam().windowOpenedOnce) {
        App app = App::launch();
        ASSERT_TRUE(app.waitForMainWindow()) << "no main window";
        ASSERT_EQ(app.close(), 0u);
        ASSERT_TRUE(settings.hasValue("Width"));
        ASSERT_FALSE(settings.hasValue("Pathnum"));
    } else {
        ASSERT_FALSE(settings.exists());
    }
    const std::string project = specialFolder(CSIDL_PROFILE) + "\\projects\\app";
    writeFile(project + "\\__init__.py", "");
    writeFile(project + "\\build.log", "build output");
    writeFile(project + "\\report.bak", "the report before");
    writeFile(project + "\\main.py", "print('hello')\n");
    // The run's output goes below C:\scratch, which must be there before the drive is taken in.
    scratch();
    const std::string output = "C:\\scratch\\console-output";
    const auto stored = storedValues(settings);
    const TreeSnapshot before = without(snapshotTree("C:", FileStamp::Listed), {output});

    const ConsoleRun run = runConsole({"/clean"}, 300s);

    ASSERT_TRUE(run.exitCode.has_value()) << "still running: " << joined(run.lines);
    EXPECT_EQ(*run.exitCode, 2u) << joined(run.lines);
    EXPECT_TRUE(joined(run.lines).starts_with("Dustbane has no saved settings"))
        << joined(run.lines);
    EXPECT_EQ(treeDifferences(before, without(snapshotTree("C:", FileStamp::Listed), {output})),
              Strings{});
    EXPECT_EQ(readFile(project + "\\report.bak"), "the report before");
    EXPECT_EQ(storedValues(settings), stored);
    EXPECT_EQ(settings.exists(), GetParam().windowOpenedOnce);
    EXPECT_FALSE(RegKey(HKEY_CURRENT_USER, "Software\\Google\\Google Earth Plus").exists());
}

INSTANTIATE_TEST_SUITE_P(Safety, Unconfigured,
                         ::testing::Values(UnconfiguredCase{"WithoutASettingsKey", false},
                                           UnconfiguredCase{"AfterTheWindowWasOpenedOnce", true}),
                         [](const auto& instance) { return std::string(instance.param.name); });

} // namespace
} // namespace dustbane::e2e
