#include "engine/clean_driver.h"
#include "engine_fixture.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <map>
#include <string>

namespace dustbane::testing {
namespace {

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

class RunLedgerTest : public EngineTest, public ::testing::WithParamInterface<bool> {
  protected:
    void SetUp() override {
        turnOffFixedLocations(settings);
        settings.Recycle = GetParam();
        settings.Display = true;
        settings.Oldfile = true;
        settings.Logfile = true;
        settings.Empfolder = true;
        settings.FolderList = {{"C:\\data\\cache", true}};
        settings.FileList = {{"C:\\data\\one.iso", true}};
        settings.PathList = {{"C:\\scan", true}};
        FakeFileSystem& files = fake.files;
        files.addFile("C:\\data\\cache\\a.bin", std::string(1000, 'a'));
        files.addFile("C:\\data\\cache\\sub\\b.bin", std::string(300, 'b'));
        files.addFile("C:\\data\\cache\\held\\c.bin", std::string(40, 'c'));
        files.lock("C:\\data\\cache\\held\\c.bin");
        files.addFolderLink("C:\\data\\cache\\link", "C:\\elsewhere");
        files.addFile("C:\\elsewhere\\keep.bin", std::string(5000, 'k'));
        files.addFile("C:\\data\\one.iso", std::string(700, 'i'));
        files.addFile("C:\\scan\\x.tmp", std::string(12, 'x'));
        files.addFile("C:\\scan\\deep\\y.log", std::string(34, 'y'));
        files.addFile("C:\\scan\\deep\\keep.txt", std::string(56, 'z'));
        files.addFolder("C:\\scan\\empty");
        run.ledger.setObserver(&items);
    }

    ItemList items;
    ProtectedFolders folders{fake.shell, fake.files};
    SettingsSummary summary{settings, language, fake.window.model, folders};
};

TEST_P(RunLedgerTest, CountsEveryItemThatWentWithTheBytesThatLeftTheDisk) {
    const uint64_t before = bytesBelow(fake.files, "C:");
    CleanDriver(context, summary, {}).runUnattended(CleanDriver::BinStep::Keep);
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
    EXPECT_EQ(bytesByGroup["|Delete files"], 700u);
    EXPECT_EQ(bytesByGroup["C:\\scan|Files ending .tmp, .old or .bak"], 12u);
    EXPECT_EQ(bytesByGroup["C:\\scan|Files ending .log"], 34u);
    EXPECT_TRUE(bytesByGroup.count("C:\\scan|Empty folders"));
}

INSTANTIATE_TEST_SUITE_P(PermanentAndToTheBin, RunLedgerTest, ::testing::Bool());

using FolderMoveTest = EngineTest;

// Windows moves what it can of a folder around a held file before the move fails.
TEST_F(FolderMoveTest, AMoveThatFailsPartWayEntersTheBytesItMoved) {
    settings.Recycle = true;
    run.recycleAllowed = true;
    fake.shell.movesAroundHeldFiles = true;
    fake.files.addFile("C:\\spec\\sub\\held.dat", "123");
    fake.files.addFile("C:\\spec\\sub\\moved.dat", std::string(40, 'm'));
    fake.files.lock("C:\\spec\\sub\\held.dat");

    EXPECT_FALSE(deletion.deleteItem("C:\\spec\\sub"));
    EXPECT_FALSE(fake.files.exists("C:\\spec\\sub\\moved.dat"));
    EXPECT_EQ(run.ledger.totals().recycledBytes, 40u);
    EXPECT_EQ(run.ledger.totals().permanentBytes, 0u);
    EXPECT_EQ(model.deletedCount(), 0) << "the folder itself stayed";
}

} // namespace
} // namespace dustbane::testing
