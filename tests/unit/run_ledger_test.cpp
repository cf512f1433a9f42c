#include "engine_fixture.h"

#include <gtest/gtest.h>
#include <string>
#include <tuple>
#include <vector>

namespace dustbane::testing {
namespace {

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

// What a report of a run needs to know of each item that stayed.
struct StayRecorder : RunLedgerObserver {
    void itemDeleted(const LedgerGroup&, const LedgerItem&) override {}
    void itemStayed(const LedgerGroup& group, const LedgerItem& item, StayReason reason) override {
        stays.emplace_back(group.caption, item.path, item.size, reason);
    }
    std::vector<std::tuple<std::string, std::string, uint64_t, StayReason>> stays;
};

using StayTest = EngineTest;

// A held file refused by the Recycle Bin's move is in use; refused by a permanent deletion
// the system says no more than that it stayed.
TEST_F(StayTest, AFileThatStaysReachesTheObserverWithItsGroupSizeAndReason) {
    StayRecorder recorder;
    run.ledger.setObserver(&recorder);
    run.ledger.setGroup("Files to delete", 0, LineImage::Information);
    run.recycleAllowed = true;
    fake.files.addFile("C:\\held.dat", "1234");
    fake.files.lock("C:\\held.dat");

    settings.Recycle = true;
    EXPECT_FALSE(deletion.deleteItem("C:\\held.dat"));
    settings.Recycle = false;
    EXPECT_FALSE(deletion.deleteItem("C:\\held.dat"));

    using Stay = std::tuple<std::string, std::string, uint64_t, StayReason>;
    EXPECT_EQ(recorder.stays,
              (std::vector<Stay>{{"Files to delete", "C:\\held.dat", 4, StayReason::InUse},
                                 {"Files to delete", "C:\\held.dat", 4, StayReason::NotDeleted}}));
    EXPECT_EQ(run.ledger.totals().stayed, 2u);
}

TEST(StayReason, FollowsTheShellsResultCode) {
    EXPECT_EQ(stayReasonOfShellCode(32), StayReason::InUse);
    EXPECT_EQ(stayReasonOfShellCode(5), StayReason::AccessDenied);
    EXPECT_EQ(stayReasonOfShellCode(2), StayReason::NotDeleted);
    EXPECT_EQ(stayReasonOfShellCode(0x7C), StayReason::NotDeleted);
}

} // namespace
} // namespace dustbane::testing
