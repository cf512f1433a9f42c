#include "engine_fixture.h"

#include <gtest/gtest.h>
#include <string>

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

} // namespace
} // namespace dustbane::testing
