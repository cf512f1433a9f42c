#include "fakes/fake_platform.h"
#include "settings/settings_store.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <limits>

namespace dustbane {
namespace {

using testing::FakePlatform;

// Stores damaged by hand or by another program: the load must end, and read what is there.
struct CorruptStoreTest : ::testing::Test {
    FakePlatform fake;
    SettingsStore store{fake.registry, fake.system};
    CleanSettings settings;

    void set(const std::string& name, testing::FakeRegistry::Value value) {
        fake.registry.set(settingsKeyPath, name, std::move(value));
    }
    void load() { store.loadSettings(settings, {}); }
};

constexpr int32_t hugeCount = std::numeric_limits<int32_t>::max();

TEST_F(CorruptStoreTest, AHugeCountReadsTheEntriesThatExist) {
    set("Pathnum", hugeCount);
    set("Patha0", "C:\\one");
    set("Pathb7", "D:\\two");
    load();
    EXPECT_EQ(settings.PathList, (CheckedPathList{{"C:\\one", true}, {"D:\\two", false}}));
}

TEST_F(CorruptStoreTest, AStrayHugeIndexIsReadWithinTheCountAndIgnoredBeyondIt) {
    set("Foldernum", hugeCount);
    set("Foldera2147483646", "C:\\last");
    set("Folderb2147483647", "C:\\beyond");
    set("Filenum", int32_t{2});
    set("Filea1", "C:\\kept.txt");
    set("Filea5", "C:\\beyond the count.txt");
    load();
    EXPECT_EQ(settings.FolderList, (CheckedPathList{{"C:\\last", true}}));
    EXPECT_EQ(settings.FileList, (CheckedPathList{{"C:\\kept.txt", true}}));
}

TEST_F(CorruptStoreTest, EntryNamesFollowTheRegistrysCaseRulesButNotPaddedIndices) {
    set("Pathexnum", int32_t{10});
    set("PATHEXB3", "C:\\upper");
    set("Pathexa03", "C:\\padded");
    set("Pathexa", "C:\\no index");
    set("Pathexa1x", "C:\\not a number");
    set("Pathnum", int32_t{1});
    set("Patha0", "C:\\path");
    load();
    EXPECT_EQ(settings.PathexList, (CheckedPathList{{"C:\\upper", false}}));
    EXPECT_EQ(settings.PathList, (CheckedPathList{{"C:\\path", true}}))
        << "the Pathex entries are no Path entries";
}

TEST_F(CorruptStoreTest, ANegativeCountReadsNothing) {
    set("Pathnum", std::numeric_limits<int32_t>::min());
    set("Patha0", "C:\\one");
    load();
    EXPECT_TRUE(settings.PathList.empty());
}

TEST_F(CorruptStoreTest, ValueNamesListEveryValueOfTheKeyAsStored) {
    set("Pathnum", int32_t{1});
    set("Patha0", "C:\\one");
    auto key = fake.registry.open(RegistryRoot::CurrentUser, settingsKeyPath, false);
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->valueNames(), (std::vector<std::string>{"Patha0", "Pathnum"}));
    ASSERT_TRUE(key->deleteValue("PATHA0"));
    EXPECT_EQ(key->valueNames(), (std::vector<std::string>{"Pathnum"}));
}

} // namespace
} // namespace dustbane
