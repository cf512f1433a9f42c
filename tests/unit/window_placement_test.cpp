#include "fakes/fake_platform.h"
#include "settings/settings_store.h"
#include "settings/window_placement.h"

#include <gtest/gtest.h>

namespace dustbane {
namespace {

using testing::FakePlatform;
using Mode = StartupPlacement::Mode;

class WindowPlacementTest : public ::testing::Test {
  protected:
    WindowPlacementTest() { fake.files.setCurrentDirectory("D:\\Programs\\Dustbane\\"); }

    void store(const std::string& name, testing::FakeRegistry::Value value) {
        fake.registry.set(settingsKeyPath, name, std::move(value));
    }
    void storeForMachine(const std::string& name, testing::FakeRegistry::Value value) {
        fake.registry.set(settingsKeyPath, name, std::move(value), RegistryRoot::LocalMachine);
    }
    StartupPlacement read() { return readStartupPlacement(fake.registry, fake.files); }

    FakePlatform fake;
};

TEST_F(WindowPlacementTest, FirstStartCreatesTheKeyAndOpensCentredInTheCurrentDirectory) {
    auto placement = read();
    EXPECT_TRUE(fake.registry.keyExists(RegistryRoot::CurrentUser, settingsKeyPath));
    EXPECT_EQ(placement.installDir, "D:\\Programs\\Dustbane\\");
    EXPECT_EQ(placement.mode, Mode::Centred);
    EXPECT_FALSE(placement.left || placement.top || placement.width || placement.height);
}

TEST_F(WindowPlacementTest, InstalldirGetsATrailingBackslashAndEmptyMeansTheDriveRoot) {
    const std::pair<std::string, std::string> cases[] = {
        {"C:\\Tools\\Dustbane", "C:\\Tools\\Dustbane\\"},
        {"C:\\Tools\\Dustbane\\", "C:\\Tools\\Dustbane\\"},
        {"", "\\"},
    };
    for (const auto& [stored, expected] : cases) {
        store("Installdir", stored);
        EXPECT_EQ(read().installDir, expected) << stored;
    }
}

TEST_F(WindowPlacementTest, InstalldirComesFromTheUserThenTheMachineThenTheCurrentDirectory) {
    storeForMachine("Installdir", "C:\\Program Files\\Dustbane\\");
    store("Installdir", "C:\\Users\\me\\Dustbane\\");
    EXPECT_EQ(read().installDir, "C:\\Users\\me\\Dustbane\\") << "the user's own comes first";

    fake.registry.deleteTree(RegistryRoot::CurrentUser, settingsKeyPath);
    EXPECT_EQ(read().installDir, "C:\\Program Files\\Dustbane\\");

    fake.registry.deleteTree(RegistryRoot::LocalMachine, settingsKeyPath);
    EXPECT_EQ(read().installDir, "D:\\Programs\\Dustbane\\");
    EXPECT_FALSE(fake.registry.keyExists(RegistryRoot::LocalMachine, settingsKeyPath))
        << "the machine's key is only read";
}

TEST_F(WindowPlacementTest, TheMachinesInstalldirGetsItsBackslashAndAWrongTypeCountsAsNone) {
    storeForMachine("Installdir", "C:\\Program Files\\Dustbane");
    EXPECT_EQ(read().installDir, "C:\\Program Files\\Dustbane\\");

    storeForMachine("Installdir", int32_t{1});
    EXPECT_EQ(read().installDir, "D:\\Programs\\Dustbane\\");
}

TEST_F(WindowPlacementTest, AFailedReadOfTheUsersKeyLeavesTheFolderToTheMachine) {
    storeForMachine("Installdir", "C:\\Program Files\\Dustbane\\");
    store("Installdir", int32_t{5});
    EXPECT_EQ(read().installDir, "C:\\Program Files\\Dustbane\\");

    store("Installdir", "C:\\Users\\me\\Dustbane\\");
    store("Savepos", "yes");
    store("Maximize", int32_t{1});
    auto placement = read();
    EXPECT_EQ(placement.installDir, "C:\\Program Files\\Dustbane\\");
    EXPECT_EQ(placement.mode, Mode::Centred);
}

TEST_F(WindowPlacementTest, MaximizeIsHonouredWhenSaveposIsAbsent) {
    store("Maximize", int32_t{1});
    store("Left", int32_t{40});
    auto placement = read();
    EXPECT_EQ(placement.mode, Mode::Maximized);
    EXPECT_FALSE(placement.left) << "bounds are not read for a maximized window";
}

TEST_F(WindowPlacementTest, StoredBoundsApplyOnlyThoseThatExist) {
    store("Maximize", int32_t{0});
    store("Left", int32_t{-8});
    store("Top", int32_t{120});
    auto placement = read();
    EXPECT_EQ(placement.mode, Mode::Stored);
    EXPECT_EQ(placement.left, -8);
    EXPECT_EQ(placement.top, 120);
    EXPECT_FALSE(placement.width);
    EXPECT_FALSE(placement.height);
}

TEST_F(WindowPlacementTest, SaveposOffOrMaximizeAbsentIgnoresTheStoredGeometry) {
    store("Left", int32_t{10});
    EXPECT_EQ(read().mode, Mode::Centred) << "no Maximize value";
    store("Maximize", int32_t{1});
    store("Savepos", int32_t{0});
    EXPECT_EQ(read().mode, Mode::Centred);
}

TEST_F(WindowPlacementTest, AValueOfTheWrongTypeStopsReadingAndFallsBackToTheCurrentDirectory) {
    store("Installdir", "C:\\Tools\\Dustbane");
    store("Savepos", "yes");
    store("Maximize", int32_t{1});
    auto placement = read();
    EXPECT_EQ(placement.installDir, "D:\\Programs\\Dustbane\\");
    EXPECT_EQ(placement.mode, Mode::Centred);
}

TEST_F(WindowPlacementTest, AFailedBoundKeepsWhatWasAppliedBeforeIt) {
    store("Installdir", "C:\\Tools");
    store("Maximize", int32_t{0});
    store("Left", int32_t{30});
    store("Top", testing::FakeRegistry::Binary{"\x01"});
    store("Width", int32_t{900});
    auto placement = read();
    EXPECT_EQ(placement.mode, Mode::Stored);
    EXPECT_EQ(placement.left, 30);
    EXPECT_FALSE(placement.top);
    EXPECT_FALSE(placement.width) << "reading stops at the first failure";
    EXPECT_EQ(placement.installDir, "D:\\Programs\\Dustbane\\");
}

TEST_F(WindowPlacementTest, InstalldirOfTheWrongTypeIsAFailedReadToo) {
    store("Installdir", int32_t{5});
    store("Maximize", int32_t{1});
    auto placement = read();
    EXPECT_EQ(placement.installDir, "D:\\Programs\\Dustbane\\");
    EXPECT_EQ(placement.mode, Mode::Centred);
}

TEST_F(WindowPlacementTest, ClosingMaximizedWritesOnlyMaximizeAndKeepsTheOldBounds) {
    store("Left", int32_t{11});
    writeClosingPlacement(fake.registry, true, {1, 2, 3, 4});
    EXPECT_EQ(fake.registry.get(settingsKeyPath, "Maximize"), testing::FakeRegistry::Value{1});
    EXPECT_EQ(fake.registry.get(settingsKeyPath, "Left"), testing::FakeRegistry::Value{11});
    EXPECT_FALSE(fake.registry.has(settingsKeyPath, "Width"));
}

TEST_F(WindowPlacementTest, ClosingNormallyWritesTheBoundsAndARestartAppliesThem) {
    store("Savepos", int32_t{0});
    writeClosingPlacement(fake.registry, false, {-4, 50, 800, 600});
    store("Savepos", int32_t{1});
    auto placement = read();
    EXPECT_EQ(placement.mode, Mode::Stored);
    EXPECT_EQ(placement.left, -4);
    EXPECT_EQ(placement.top, 50);
    EXPECT_EQ(placement.width, 800);
    EXPECT_EQ(placement.height, 600);
}

TEST_F(WindowPlacementTest, AFailedWriteEndsTheWritingSilently) {
    fake.registry.set(settingsKeyPath, "Top", int32_t{7});
    fake.registry.failWritesAfter(2);
    writeClosingPlacement(fake.registry, false, {1, 2, 3, 4});
    EXPECT_EQ(fake.registry.get(settingsKeyPath, "Left"), testing::FakeRegistry::Value{1});
    EXPECT_EQ(fake.registry.get(settingsKeyPath, "Top"), testing::FakeRegistry::Value{7});
    EXPECT_FALSE(fake.registry.has(settingsKeyPath, "Width"));
}

} // namespace
} // namespace dustbane
