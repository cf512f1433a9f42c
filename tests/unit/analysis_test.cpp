#include "analysis/analysis_run.h"
#include "engine_fixture.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

namespace dustbane::testing {
namespace {

using Strings = std::vector<std::string>;

// The bytes of every file below the folder, links not followed.
uint64_t bytesBelow(FakeFileSystem& files, const std::string& folder) {
    uint64_t total = 0;
    for (const std::string& path : files.treeBelow(folder)) {
        if (const auto entry = files.entryOf(path); entry && !entry->isDirectory()) {
            total += entry->size;
        }
    }
    return total;
}

struct GroupedItem {
    std::string section;
    std::string group;
    LedgerItem item;
};

class ItemList : public RunLedgerObserver {
  public:
    void itemDeleted(const LedgerGroup& group, const LedgerItem& item) override {
        items.push_back({group.section, group.caption, item});
    }
    std::vector<GroupedItem> items;
};

// The items the analysis shows once every group line is opened, without sizes.
Strings shownItems(AnalysisRun& analysis, const RunModel& model) {
    for (size_t line = 0; line < model.lines().size(); ++line) {
        if (model.lines()[line].caption.find("+ ") != std::string::npos) {
            analysis.toggleLine(line);
        }
    }
    Strings items;
    for (const ListLine& line : model.lines()) {
        const std::string& caption = line.caption;
        const auto path = caption.find("C:\\");
        const auto size = caption.rfind("  (");
        if (caption.rfind("        ", 0) == 0 && path != std::string::npos) {
            items.push_back(caption.substr(path, size - path));
        }
    }
    std::sort(items.begin(), items.end());
    return items;
}

// A tree with something for every kind of group: a folder to delete with a subfolder and a
// link, a file to delete, and a search path with two rules, an empty folder, a read-only
// file and a held one.
class AnalysisTest : public EngineTest, public ::testing::WithParamInterface<bool> {
  protected:
    void SetUp() override {
        turnOffFixedLocations(settings);
        settings.Displaybox = false;
        settings.Recycle = GetParam();
        settings.Logs = true;
        settings.Oldfile = true;
        settings.Logfile = true;
        settings.Empfolder = true;
        settings.FolderList = {{"C:\\data\\cache", true}};
        settings.FileList = {{"C:\\data\\one.iso", true}};
        settings.PathList = {{"C:\\scan", true}};
        FakeFileSystem& files = fake.files;
        files.addFile("C:\\data\\cache\\a.bin", std::string(1000, 'a'));
        files.addFile("C:\\data\\cache\\sub\\b.bin", std::string(300, 'b'));
        files.addFile("C:\\data\\one.iso", std::string(2048, 'i'));
        files.addFile("C:\\scan\\x.tmp", std::string(12, 'x'), attributes::readOnly);
        files.addFile("C:\\scan\\deep\\y.log", std::string(34, 'y'));
        files.addFile("C:\\scan\\deep\\z.log", std::string(340, 'z'));
        files.addFile("C:\\scan\\deep\\keep.txt", std::string(56, 'k'));
        files.addFolder("C:\\scan\\empty");
        files.addFile("C:\\scan\\held.log", "h");
        files.lock("C:\\scan\\held.log");
        files.addFolderLink("C:\\data\\cache\\link", "C:\\elsewhere");
        files.addFile("C:\\elsewhere\\keep.bin", std::string(5000, 'k'));
    }

    ProtectedFolders folders{fake.shell, fake.files};
    SettingsSummary summary{settings, language, model, folders};
    AnalysisRun analysis{fake.platform, settings, language,           fake.window, model,
                         summary,       {},       context.installDir, nullptr};
    CleanDriver clean{context, summary, {}};
    ItemList items;
};

TEST_P(AnalysisTest, ShowsWhatTheCleanThenRemovesAndChangesNothingBefore) {
    const Strings before = fake.files.treeBelow("C:");
    const std::string logPath = context.installDir + "logs.log";

    analysis.runTick();
    EXPECT_EQ(fake.files.treeBelow("C:"), before);
    EXPECT_EQ(fake.files.entryOf("C:\\scan\\x.tmp")->attributes & attributes::readOnly,
              attributes::readOnly);
    EXPECT_FALSE(fake.files.exists(logPath));
    EXPECT_EQ(fake.system.soundsPlayed, 0);
    EXPECT_TRUE(fake.shell.recycled.empty());
    EXPECT_EQ(model.header(), "Analysis:");
    const std::string total = model.lines().back().caption;
    EXPECT_EQ(total, "Would free 3.64 KB in 9 items");
    EXPECT_EQ(model.statusText(0), " " + total);
    EXPECT_EQ(model.statusText(1), "Found 9") << "an analysis deletes nothing";
    const Strings shown = shownItems(analysis, model);

    clean.runTick();
    Strings removed;
    for (const std::string& path : before) {
        if (!fake.files.exists(path)) {
            removed.push_back(path);
        }
    }
    std::sort(removed.begin(), removed.end());
    // A folder that went whole takes what was in it; the analysis shows the folder.
    std::erase_if(removed, [](const std::string& path) {
        return path.rfind("C:\\data\\cache\\sub\\", 0) == 0;
    });
    // A held file shows as going; the clean that meets it counts it among the items that
    // stayed.
    removed.push_back("C:\\scan\\held.log");
    std::sort(removed.begin(), removed.end());
    EXPECT_EQ(shown, removed);
    EXPECT_EQ(fake.window.captions().back(),
              GetParam() ? "Freed 0 bytes for good, 3.64 KB to the Recycle Bin; 1 items stayed"
                         : "Freed 3.64 KB for good, 0 bytes to the Recycle Bin; 1 items stayed");
}

TEST_P(AnalysisTest, CountsEveryItemThatWentWithTheBytesThatLeftTheDisk) {
    const uint64_t before = bytesBelow(fake.files, "C:");
    run.ledger.setObserver(&items);
    clean.runUnattended(CleanDriver::BinStep::Keep);
    const uint64_t after = bytesBelow(fake.files, "C:");

    const LedgerTotals& totals = run.ledger.totals();
    EXPECT_EQ(totals.permanentBytes + totals.recycledBytes, before - after);
    EXPECT_EQ(GetParam() ? totals.permanentBytes : totals.recycledBytes, 0u);
    EXPECT_EQ(totals.items, static_cast<uint64_t>(model.deletedCount()));
    EXPECT_EQ(totals.items, items.items.size());
    EXPECT_EQ(totals.stayed, 1u) << "the held file";
    EXPECT_TRUE(fake.files.exists("C:\\elsewhere\\keep.bin")) << "a link goes as a link";

    std::map<std::string, uint64_t> bytesByGroup;
    for (const GroupedItem& entry : items.items) {
        bytesByGroup[entry.section + "|" + entry.group] += entry.item.size;
    }
    EXPECT_EQ(bytesByGroup["|C:\\data\\cache"], 1300u);
    EXPECT_EQ(bytesByGroup["|Delete files"], 2048u);
    EXPECT_EQ(bytesByGroup["C:\\scan|Files ending .tmp, .old or .bak"], 12u);
    EXPECT_EQ(bytesByGroup["C:\\scan|Files ending .log"], 374u);
    EXPECT_TRUE(bytesByGroup.count("C:\\scan|Empty folders"));
}

INSTANTIATE_TEST_SUITE_P(PermanentAndToTheBin, AnalysisTest, ::testing::Bool());

TEST_P(AnalysisTest, GroupsTheSearchPathByRuleInTheRulesOrderAndOpensAGroupLargestFirst) {
    analysis.runTick();
    const Strings groups = [&] {
        Strings captions;
        for (const ListLine& line : model.lines()) {
            captions.push_back(line.caption);
        }
        return captions;
    }();
    EXPECT_EQ(groups,
              (Strings{"+ C:\\data\\cache: 3 items, 1.26 KB", "+ Delete files: 1 items, 2.00 KB",
                       "C:\\scan: 5 items, 387 bytes",
                       "    + Files ending .tmp, .old or .bak: 1 items, 12 bytes",
                       "    + Files ending .log: 3 items, 375 bytes",
                       "    + Empty folders: 1 items, 0 bytes", "Would free 3.64 KB in 9 items"}));

    ASSERT_TRUE(analysis.toggleLine(4));
    EXPECT_EQ(model.lines()[4].caption, "    - Files ending .log: 3 items, 375 bytes");
    EXPECT_EQ(model.lines()[5].caption, "            C:\\scan\\deep\\z.log  (340 bytes)");
    EXPECT_EQ(model.lines()[6].caption, "            C:\\scan\\deep\\y.log  (34 bytes)");
    EXPECT_FALSE(analysis.toggleLine(5)) << "an item line is no group";
    ASSERT_TRUE(analysis.toggleLine(4));
    EXPECT_EQ(model.lines().size(), groups.size());

    ASSERT_TRUE(analysis.shownTotal());
    model.clearLines();
    EXPECT_FALSE(analysis.shownTotal()) << "the list shows something else now";
    EXPECT_FALSE(analysis.toggleLine(0));
}

TEST_P(AnalysisTest, TheConfirmationNamesTheTotalOfTheAnalysisTheListShows) {
    settings.Displaybox = true;
    fake.prompter.answers = {answer::no};
    analysis.runTick();
    clean.runTick(analysis.shownTotal());
    ASSERT_EQ(fake.prompter.questions.size(), 1u);
    EXPECT_NE(fake.prompter.questions[0].text.find("\nWould free 3.64 KB in 9 items\n"),
              std::string::npos)
        << fake.prompter.questions[0].text;
}

TEST_P(AnalysisTest, StopAsksAboutTheAnalysisAndShowsWhatWasFoundSoFar) {
    fake.prompter.answers = {answer::yes};
    bool asked = false;
    fake.window.onPump = [&] {
        if (!asked && model.statusText(0).rfind("Analyzing C:\\data\\cache", 0) == 0) {
            asked = true;
            EXPECT_EQ(model.analyzeFace().caption, "Stop");
            analysis.runTick();
        }
    };
    analysis.runTick();
    ASSERT_TRUE(asked);
    ASSERT_EQ(fake.prompter.questions.size(), 1u);
    EXPECT_EQ(fake.prompter.questions[0].text, "Do you want to stop the analysis?");
    EXPECT_FALSE(model.active());
    EXPECT_EQ(model.analyzeFace().caption, "Analyze");
    EXPECT_EQ(model.lines().back().caption.rfind("Would free ", 0), 0u);
}

TEST(AnalysisGroups, AFullGroupKeepsItsLargestItemsAndCountsTheRest) {
    AnalysisGroups groups(3);
    const LedgerGroup key{"C:\\scan", "Files ending .log", 7, LineImage::FileRemoved};
    for (uint64_t size : {5u, 50u, 1u, 40u, 40u, 7u, 60u}) {
        groups.itemDeleted(key, {"C:\\scan\\" + std::to_string(size) + ".log", size, false, false});
    }
    groups.itemDeleted({"C:\\scan", "Files ending .tmp, .old or .bak", 6, LineImage::FileRemoved},
                       {"C:\\scan\\a.tmp", 9, false, false});
    const std::vector<AnalysisSection> sections = groups.ordered();
    ASSERT_EQ(sections.size(), 1u);
    ASSERT_EQ(sections[0].groups.size(), 2u);
    EXPECT_EQ(sections[0].groups[0].key.order, 6) << "groups in the rules' order";
    const AnalysisGroup& logs = sections[0].groups[1];
    EXPECT_EQ(logs.items, 7u);
    EXPECT_EQ(logs.bytes, 203u);
    EXPECT_EQ(logs.notKept(), 4u);
    Strings kept;
    for (const LedgerItem& item : logs.largest) {
        kept.push_back(item.path);
    }
    EXPECT_EQ(kept, (Strings{"C:\\scan\\60.log", "C:\\scan\\50.log", "C:\\scan\\40.log"}));
}

} // namespace
} // namespace dustbane::testing
