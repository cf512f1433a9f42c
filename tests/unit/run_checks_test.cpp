// The checks a clean run makes between and inside its steps: where a Stop click is looked
// for, what status panel 0 and the progress bar show while a walk goes on, what becomes of a
// read-only folder once it is empty, and which setting each option flag stands for.

#include "engine/clean_driver.h"
#include "engine_fixture.h"
#include "settings/settings_store.h"
#include "settings/settings_summary.h"
#include "targets/target_catalogue.h"

#include <algorithm>
#include <functional>
#include <map>
#include <vector>

namespace dustbane::testing {
namespace {

using Strings = std::vector<std::string>;

const std::string acrobatCache =
    "C:\\users\\tester\\AppData\\Local\\Adobe\\Acrobat\\8.0\\Cache\\Search80";

// Whether every text of wanted appears in seen, in this order.
bool inOrder(const Strings& seen, const Strings& wanted) {
    auto next = seen.begin();
    for (const std::string& text : wanted) {
        next = std::find(next, seen.end(), text);
        if (next == seen.end()) {
            return false;
        }
        ++next;
    }
    return true;
}

class RunStopTest : public EngineTest {
  protected:
    RunStopTest() {
        turnOffFixedLocations(settings);
        settings.Displaybox = false;
        settings.Recycle = false;
        fake.files.addFolder("C:\\Program Files\\Dustbane");
    }

    // A Stop click, confirmed, handled in the first pump at which clicked() holds: the driver
    // is entered again from the message loop, as the window does.
    void clickStopAt(std::function<bool()> clicked) {
        done = false;
        fake.window.onPump = [this, clicked] {
            if (!done && clicked()) {
                done = true;
                driver.runTick();
            }
        };
    }

    // A moment of a stage at which the user clicks Stop, and how many items the run had
    // deleted when it ended.
    struct Moment {
        const char* name;
        std::function<bool()> clicked;
        int deleted;
    };

    static std::string stoppedLine(int deleted) {
        return "10:42:07 User stopped: " + std::to_string(deleted) +
               " files or folders had been cleaned.";
    }

    ProtectedFolders folders{fake.shell, fake.files};
    SettingsSummary summary{settings, language, fake.window.model, folders};
    CleanDriver driver{context, summary, stagesOf(targetCatalogue())};
    bool done = false;
};

// Stage 10 (the Acrobat cache) is the last fixed location; the specific folders come next.
TEST_F(RunStopTest, AStopDuringTheLastFixedStageKeepsTheSpecificFoldersFromRunning) {
    const std::string cached = acrobatCache + "\\index.dat";
    settings.Acrobatreader = true;
    settings.FolderList = {{"C:\\f", true}};
    const Moment moments[] = {
        {"while its folder is walked",
         [&] { return fake.window.status[0] == "Cleaning " + acrobatCache; }, 0},
        // The click waits in the queue for the pass between the stages.
        {"as its last file goes", [&] { return !fake.files.exists(cached); }, 1},
    };
    for (const Moment& moment : moments) {
        fake.files.addFile(cached);
        fake.files.addFile("C:\\f\\a.txt");
        clickStopAt(moment.clicked);

        driver.runTick();
        EXPECT_TRUE(done) << moment.name;
        EXPECT_EQ(withoutFreedLine(fake.window.captions()),
                  (Strings{"10:42:07 Clean Acrobat Reader8 Cache", stoppedLine(moment.deleted)}))
            << moment.name;
        EXPECT_TRUE(fake.files.exists("C:\\f\\a.txt")) << moment.name;
    }
}

TEST_F(RunStopTest, AStopDuringTheSpecificFilesKeepsTheSearchPathsFromRunning) {
    settings.FileList = {{"C:\\one.txt", true}};
    settings.PathList = {{"C:\\s", true}};
    const Moment moments[] = {
        {"while the file is shown", [&] { return fake.window.status[0] == "Cleaning C:\\one.txt"; },
         1},
        {"as the file goes", [&] { return !fake.files.exists("C:\\one.txt"); }, 1},
    };
    for (const Moment& moment : moments) {
        fake.files.addFile("C:\\one.txt");
        fake.files.addFile("C:\\s\\c.tmp");
        clickStopAt(moment.clicked);

        driver.runTick();
        EXPECT_TRUE(done) << moment.name;
        // The stage itself has no stop test: its one file goes either way.
        EXPECT_EQ(withoutFreedLine(fake.window.captions()),
                  (Strings{"10:42:07 Successfully Clean C:\\one.txt", stoppedLine(moment.deleted)}))
            << moment.name;
        EXPECT_TRUE(fake.files.exists("C:\\s\\c.tmp")) << moment.name;
    }
}

using WalkTest = EngineTest;

TEST_F(WalkTest, DeleteItemLetsPendingMessagesRunWhileTheItemIsShownAndStillThere) {
    for (bool toBin : {false, true}) {
        const std::string path = "C:\\data\\a.txt";
        fake.files.addFile(path);
        settings.Recycle = true;
        run.recycleAllowed = toBin;
        std::vector<bool> thereAtPump;
        fake.window.onPump = [&] {
            if (fake.window.status[0] == "Cleaning " + path) {
                thereAtPump.push_back(fake.files.exists(path));
            }
        };

        EXPECT_TRUE(deletion.deleteItem(path));
        ASSERT_FALSE(thereAtPump.empty()) << "no message pass while showing it, bin " << toBin;
        EXPECT_TRUE(thereAtPump.front()) << "the pass came after the deletion, bin " << toBin;
    }
}

TEST_F(WalkTest, EveryWalkNamesItsFolderInStatusPanelZeroWhileItRuns) {
    fake.files.addFile("C:\\app\\p\\Cache\\c.bin");
    fake.files.addFile("C:\\app\\p\\x.txt");
    Strings shown;
    fake.window.onPump = [&] {
        if (shown.empty() || shown.back() != fake.window.status[0]) {
            shown.push_back(fake.window.status[0]);
        }
    };

    deletion.cleanNamedSubfolders("C:\\app", "Cache", "index.dat");
    EXPECT_TRUE(
        inOrder(shown, {"Cleaning C:\\app", "Cleaning C:\\app\\p", "Cleaning C:\\app\\p\\Cache"}))
        << ::testing::PrintToString(shown);
    EXPECT_FALSE(fake.files.exists("C:\\app\\p\\Cache\\c.bin"));
}

TEST_F(WalkTest, NamedSubfolderWalkStepsTheBarOncePerFileMatchedOrNot) {
    fake.files.addFile("C:\\app\\a.txt");
    fake.files.addFile("C:\\app\\index.dat");
    fake.files.addFile("C:\\app\\p\\b.txt");
    fake.window.model.setProgressPosition(497);
    fake.window.positions.clear();

    deletion.cleanNamedSubfolders("C:\\app", "Cache", "index.dat");
    EXPECT_FALSE(fake.files.exists("C:\\app\\index.dat"));
    // The folder p takes no step; the third file reaches the maximum and wraps.
    EXPECT_EQ(fake.window.positions, (std::vector<int>{498, 499, 0}));
}

TEST_F(WalkTest, AReadOnlyFolderEmptiedByCleanFolderIsStillRemoved) {
    struct Case {
        const char* name;
        bool toBin;
        bool link;
    };
    // A link below keeps the Recycle Bin off the folder, so it is emptied entry by entry.
    const Case cases[] = {{"to the bin, holding a link", true, true},
                          {"for good, plain", false, false}};
    fake.files.addFile("D:\\elsewhere\\keep.doc");
    settings.Recycle = true;
    run.rootFolder = "C:\\work";
    for (const Case& c : cases) {
        fake.files.addFile("C:\\work\\ro\\x.txt");
        if (c.link) {
            fake.files.addFolderLink("C:\\work\\ro\\jump", "D:\\elsewhere");
        }
        fake.files.find("C:\\work\\ro")->attributes |= attributes::readOnly;
        run.recycleAllowed = c.toBin;

        EXPECT_TRUE(deletion.cleanFolder("C:\\work")) << c.name;
        EXPECT_EQ(fake.files.treeBelow("C:\\work"), Strings{}) << c.name;
        EXPECT_TRUE(fake.files.exists("C:\\work")) << c.name;
    }
    EXPECT_TRUE(fake.files.exists("D:\\elsewhere\\keep.doc"));
}

// Each flag's member, the registry value it is stored in and the caption of its check box,
// which the settings summary and the stage heading lines show too.
struct FlagRow {
    bool CleanSettings::*member;
    const char* valueName;
    const char* caption;
};

const FlagRow flagRows[] = {
    {&CleanSettings::Tempfolder, "Tempfolder", "Temporary folder"},
    {&CleanSettings::Interfolder, "Interfolder", "IE Temporary folder"},
    {&CleanSettings::Recycle, "Recycle",
     "Delete files of search pathes to Recycle bin(others delete directly)"},
    {&CleanSettings::Thumbs, "Thumbs", "Picture Thumb cache"},
    {&CleanSettings::Tempfile, "Tempfile", "Temporary files (*.~xy, ~xy.*)"},
    {&CleanSettings::Oldfile, "Oldfile", ".tmp .old .bak "},
    {&CleanSettings::Delfolder, "Delfolder", "Also delete folder itself"},
    {&CleanSettings::Firefox, "Firefox", "Firefox cache folder"},
    {&CleanSettings::Displaybox, "Displaybox", "Display Confirmation box when start clean"},
    {&CleanSettings::Errorreport, "Errorreport", "Windows error report"},
    {&CleanSettings::Logs, "Logs", "Save log for "},
    {&CleanSettings::Zerofile, "Zerofile", "0 size file"},
    {&CleanSettings::Picthumb, "Picthumb", "Picture Thumb files"},
    {&CleanSettings::Savepos, "Savepos", "Restore window size when start"},
    {&CleanSettings::Contextmenu, "Contextmenu", "Integrated with Windows Explorer context menu"},
    {&CleanSettings::GoogleEarth, "GoogleEarth", "Google Earth Cache"},
    {&CleanSettings::Acrobatreader, "Acrobatreader", "Acrobat Reader8 Cache"},
    {&CleanSettings::Hotfix, "Hotfix", "Windows hotfix or patch"},
    {&CleanSettings::Logfile, "Logfile", "Log files (*.log)"},
    {&CleanSettings::Acdsee, "Acdsee", "Acdsee database"},
    {&CleanSettings::WDIfile, "WDIfile", "WDI created files"},
    {&CleanSettings::Empfolder, "Empfolder", "Delete empty folder"},
    {&CleanSettings::Display, "Display",
     "Display the deleted file which was found in the search pathes"},
};

TEST(FlagTable, EachFlagIsStoredUnderItsOwnNameAndShownWithItsOwnCaption) {
    ASSERT_EQ(std::size(flagRows), flagFields.size());
    FakePlatform fake;
    SettingsStore store{fake.registry, fake.system};
    auto stored = [&] {
        std::map<std::string, FakeRegistry::Value> values;
        for (const std::string& name : fake.registry.valueNames(settingsKeyPath)) {
            values.emplace(name, *fake.registry.get(settingsKeyPath, name));
        }
        return values;
    };
    const CleanSettings plain;
    ASSERT_EQ(store.saveSettings(plain), "");
    const auto before = stored();

    for (const FlagRow& row : flagRows) {
        EXPECT_STREQ(captionOf(row.member), row.caption) << row.valueName;
        CleanSettings flipped = plain;
        flipped.*row.member = !(flipped.*row.member);
        ASSERT_EQ(store.saveSettings(flipped), "");
        const auto after = stored();
        Strings changed;
        for (const auto& [name, value] : after) {
            if (before.count(name) == 0 || before.at(name) != value) {
                changed.push_back(name);
            }
        }
        EXPECT_EQ(changed, Strings{row.valueName});
    }
}

} // namespace
} // namespace dustbane::testing
