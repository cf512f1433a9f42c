#include "fakes/fake_platform.h"
#include "settings/settings_store.h"

#include <gtest/gtest.h>
#include <vector>

namespace dustbane {
namespace {

using testing::FakePlatform;
using testing::FakeRegistry;

struct SettingsStoreTest : ::testing::Test {
    FakePlatform fake;
    SettingsStore store{fake.registry, fake.system};
    CleanSettings settings;
    int recycleQuestions = 0;

    void set(const std::string& name, FakeRegistry::Value value) {
        fake.registry.set(settingsKeyPath, name, std::move(value));
    }
    bool has(const std::string& name) const { return fake.registry.has(settingsKeyPath, name); }
    std::optional<FakeRegistry::Value> get(const std::string& name) const {
        return fake.registry.get(settingsKeyPath, name);
    }
    void load() {
        store.loadSettings(settings, [this] { ++recycleQuestions; });
    }
};

CheckedPathList fiveEntries(const std::string& stem) {
    return {{stem + "1", true},
            {stem + "2", false},
            {stem + "3", true},
            {stem + "4", false},
            {stem + "5", true}};
}

TEST_F(SettingsStoreTest, EmptyStoreCreatesTheKeyAndKeepsStartUpValues) {
    load();
    EXPECT_TRUE(fake.registry.keyExists(RegistryRoot::CurrentUser, settingsKeyPath));
    CleanSettings expected;
    expected.PathList = {{"C:", true}};
    EXPECT_EQ(settings, expected);
    EXPECT_EQ(recycleQuestions, 0);
}

TEST_F(SettingsStoreTest, ZeroPathCountKeepsTheSearchPathsEmpty) {
    set("Pathnum", int32_t{0});
    load();
    EXPECT_TRUE(settings.PathList.empty());
}

TEST_F(SettingsStoreTest, ListEntriesAreReadUnderBothNamesAndSorted) {
    set("Foldernum", int32_t{3});
    set("Foldera0", "D:\\b");
    set("Folderb1", "D:\\d");
    set("Foldera2", "D:\\a");
    set("Folderb2", "D:\\C");
    set("Foldera3", "D:\\beyond the count");
    settings.FolderList = {{"D:\\bb", true}};
    load();
    EXPECT_EQ(settings.FolderList, (CheckedPathList{{"D:\\a", true},
                                                    {"D:\\b", true},
                                                    {"D:\\bb", true},
                                                    {"D:\\C", false},
                                                    {"D:\\d", false}}));
}

TEST_F(SettingsStoreTest, StoredPathsLoadInTheFormTheyAreCleanedIn) {
    set("Foldernum", int32_t{3});
    set("Foldera0", "C:\\keep\\..\\");
    set("Foldera1", "D:\\a\\.\\b\\\\c");
    set("Foldera2", "relative\\x");
    set("Pathnum", int32_t{2});
    set("Patha0", "C:");
    set("Patha1", "D:\\twin.");
    load();
    EXPECT_EQ(settings.FolderList,
              (CheckedPathList{{"C:\\", true}, {"D:\\a\\b\\c", true}, {"relative\\x", true}}));
    EXPECT_EQ(settings.PathList, (CheckedPathList{{"C:", true}, {"D:\\twin.", true}}));
}

TEST_F(SettingsStoreTest, LogDaysAreClampedIntoOneToHundred) {
    const std::pair<int32_t, int32_t> cases[] = {{0, 1},   {-7, 1},    {1, 1},
                                                 {55, 55}, {100, 100}, {500, 100}};
    for (auto [stored, loaded] : cases) {
        set("Logday", stored);
        load();
        EXPECT_EQ(settings.Logday, loaded) << stored;
    }
}

TEST_F(SettingsStoreTest, StoredScheduleIsReadIntoRangeAndAnUnknownKindIsOff) {
    struct Case {
        int32_t kind, day, minutes;
        CleanSchedule loaded;
    };
    const Case cases[] = {
        {0, 3, 90, {ScheduleKind::Off, 3, 90}},        {1, 0, 0, {ScheduleKind::Daily, 0, 0}},
        {2, 6, 1439, {ScheduleKind::Weekly, 6, 1439}}, {3, 7, 1440, {ScheduleKind::Off, 6, 1439}},
        {-1, -1, -5, {ScheduleKind::Off, 0, 0}},
    };
    for (const Case& c : cases) {
        set("Schedule", c.kind);
        set("Scheduleday", c.day);
        set("Scheduletime", c.minutes);
        load();
        EXPECT_EQ(settings.Schedule, c.loaded) << c.kind << " " << c.day << " " << c.minutes;
        EXPECT_EQ(store.storedSchedule(), c.loaded);
    }
}

TEST_F(SettingsStoreTest, AKeyFromBeforeTheScheduleLeavesItOffAndReadingItCreatesNothing) {
    EXPECT_EQ(store.storedSchedule(), CleanSchedule{});
    EXPECT_FALSE(fake.registry.keyExists(RegistryRoot::CurrentUser, settingsKeyPath));
    set("Pathnum", int32_t{0});
    set("Scheduleday", "Monday");
    load();
    EXPECT_EQ(settings.Schedule, CleanSchedule{}) << "a value of another type is passed over";
}

TEST_F(SettingsStoreTest, FlagsReadAnyNonZeroAsTrueAndTextsAcceptExpandStrings) {
    set("Logs", int32_t{7});
    set("Display", int32_t{0});
    set("Ext", FakeRegistry::ExpandString{"%obj%"});
    set("FilesName", "");
    settings.FilesName = "before";
    load();
    EXPECT_TRUE(settings.Logs);
    EXPECT_FALSE(settings.Display);
    EXPECT_EQ(settings.Ext, "%obj%");
    EXPECT_EQ(settings.FilesName, "");
}

TEST_F(SettingsStoreTest, WrongTypedFlagEndsTheLoadThere) {
    set("Tempfolder", int32_t{0});
    set("Thumbs", "1");
    set("Tempfile", int32_t{0});
    set("Ext", "obj");
    set("Logday", int32_t{3});
    set("Pathnum", int32_t{0});
    load();
    EXPECT_FALSE(settings.Tempfolder) << "read before the wrong value";
    EXPECT_TRUE(settings.Thumbs);
    EXPECT_TRUE(settings.Tempfile);
    EXPECT_EQ(settings.Ext, "");
    EXPECT_EQ(settings.Logday, 10);
    EXPECT_TRUE(settings.PathList.empty()) << "not even the default search path";
    EXPECT_EQ(get("Thumbs"), FakeRegistry::Value{std::string("1")}) << "nothing is repaired";
}

TEST_F(SettingsStoreTest, WrongTypedListValueEndsTheLoadThere) {
    set("Ext", "obj");
    set("Foldernum", int32_t{2});
    set("Foldera0", "D:\\x");
    set("Folderb1", int32_t{5});
    set("Filenum", int32_t{1});
    set("Filea0", "D:\\y.txt");
    load();
    EXPECT_EQ(settings.Ext, "obj");
    EXPECT_EQ(settings.FolderList, (CheckedPathList{{"D:\\x", true}}));
    EXPECT_TRUE(settings.FileList.empty());
    EXPECT_TRUE(settings.PathList.empty());

    settings = {};
    set("Folderb1", "D:\\z");
    set("Logday", FakeRegistry::Binary{"\x05"});
    load();
    EXPECT_EQ(settings.Ext, "obj");
    EXPECT_TRUE(settings.FolderList.empty()) << "Logday comes before the lists";
}

TEST_F(SettingsStoreTest, StoredRecycleOffAsksOnceAndOnlyWhenItWasOn) {
    set("Recycle", int32_t{0});
    load();
    EXPECT_FALSE(settings.Recycle);
    EXPECT_EQ(recycleQuestions, 1);

    settings.PathList.clear();
    load();
    EXPECT_EQ(recycleQuestions, 1) << "already off";

    set("Recycle", int32_t{1});
    load();
    EXPECT_TRUE(settings.Recycle);
    EXPECT_EQ(recycleQuestions, 1);
}

TEST_F(SettingsStoreTest, SaveSettingsWritesFlagsAsZeroOrOneThenTexts) {
    for (size_t i = 0; i < flagFields.size(); ++i) {
        settings.*flagFields[i].field = i % 2 == 0;
    }
    settings.FilesName = "core";
    settings.Ext = "obj;gss";
    settings.Logday = 42;
    settings.FolderList = {{"D:\\x", true}};
    ASSERT_EQ(store.saveSettings(settings), "");

    for (size_t i = 0; i < flagFields.size(); ++i) {
        EXPECT_EQ(get(flagFields[i].name), FakeRegistry::Value{int32_t(i % 2 == 0 ? 1 : 0)})
            << flagFields[i].name;
    }
    EXPECT_EQ(get("FilesName"), FakeRegistry::Value{std::string("core")});
    EXPECT_EQ(get("Ext"), FakeRegistry::Value{std::string("obj;gss")});
    EXPECT_EQ(get("Logday"), FakeRegistry::Value{int32_t{42}});
    EXPECT_EQ(get("Schedule"), FakeRegistry::Value{int32_t{0}});
    EXPECT_EQ(get("Scheduleday"), FakeRegistry::Value{int32_t{1}});
    EXPECT_EQ(get("Scheduletime"), FakeRegistry::Value{int32_t{720}});
    EXPECT_FALSE(has("Foldernum")) << "lists are saved on their own";
    EXPECT_EQ(fake.registry.valueNames(settingsKeyPath).size(), flagFields.size() + 8);
}

TEST_F(SettingsStoreTest, FailedWriteNamesTheSettingAndStopsThere) {
    set("Ext", "old");
    fake.registry.failWritesAfter(3);
    std::string failure = store.saveSettings(settings);
    EXPECT_NE(failure.find("\"Thumbs\""), std::string::npos) << failure;
    EXPECT_TRUE(has("Recycle"));
    EXPECT_FALSE(has("Thumbs"));
    EXPECT_FALSE(has("Tempfile"));
    EXPECT_EQ(get("Ext"), FakeRegistry::Value{std::string("old")});
}

TEST_F(SettingsStoreTest, ReadOnlyStoreSavesNothingAndSaysSo) {
    set("Tempfolder", int32_t{1});
    fake.registry.makeReadOnly(settingsKeyPath);
    settings.Tempfolder = false;
    settings.PathList = {{"C:", true}};
    EXPECT_NE(store.saveSettings(settings).find("\"Tempfolder\""), std::string::npos);
    EXPECT_NE(store.saveLists(settings).find("\"Pathnum\""), std::string::npos);
    EXPECT_NE(store.writeFlag("Recycle", false), "");
    EXPECT_EQ(fake.registry.valueNames(settingsKeyPath), (std::vector<std::string>{"Tempfolder"}));
    EXPECT_EQ(get("Tempfolder"), FakeRegistry::Value{int32_t{1}});

    FakeRegistry uncreatable;
    uncreatable.makeReadOnly("Software\\Quillfen");
    SettingsStore nowhere{uncreatable, fake.system};
    EXPECT_NE(nowhere.saveSettings(settings), "");
    EXPECT_NE(nowhere.saveLists(settings), "");
    EXPECT_FALSE(uncreatable.keyExists(RegistryRoot::CurrentUser, settingsKeyPath));
}

TEST_F(SettingsStoreTest, ShrinkingEveryListRemovesTheStaleEntries) {
    for (const ListField& list : listFieldsSaveOrder) {
        settings.*list.field = fiveEntries(std::string("X:\\") + list.stem);
    }
    ASSERT_EQ(store.saveLists(settings), "");
    for (const ListField& list : listFieldsSaveOrder) {
        std::string stem = list.stem;
        ASSERT_TRUE(has(stem + "a4") && has(stem + "b3")) << stem;
        // Index 0 flips from checked to unchecked, index 1 the other way.
        settings.*list.field = {{"X:\\" + stem + "1", false}, {"X:\\" + stem + "3", true}};
    }
    ASSERT_EQ(store.saveLists(settings), "");

    std::vector<std::string> expected;
    for (const ListField& list : listFieldsSaveOrder) {
        std::string stem = list.stem;
        EXPECT_EQ(get(stem + "num"), FakeRegistry::Value{int32_t{2}});
        EXPECT_EQ(get(stem + "b0"), FakeRegistry::Value{"X:\\" + stem + "1"});
        EXPECT_EQ(get(stem + "a1"), FakeRegistry::Value{"X:\\" + stem + "3"});
        expected.insert(expected.end(), {stem + "num", stem + "b0", stem + "a1"});
    }
    auto names = fake.registry.valueNames(settingsKeyPath);
    std::sort(names.begin(), names.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(names, expected) << "a0, b1 and indices 2 to 4 are gone";
}

TEST_F(SettingsStoreTest, SaveThenLoadRoundTripsTheWholeRecord) {
    CleanSettings saved;
    for (const FlagField& flag : flagFields) {
        saved.*flag.field = !(saved.*flag.field);
    }
    saved.FilesName = "core;a.out";
    saved.Ext = "obj;gss";
    saved.Logday = 77;
    saved.Schedule = {ScheduleKind::Weekly, 6, 23 * 60 + 59};
    saved.PathList = {{"C:\\data", false}, {"D:", true}};
    saved.PathexList = {{"C:\\data\\keep", true}};
    saved.FolderList = {{"D:\\junk", true}, {"D:\\Junk2", false}, {"E:\\x", true}};
    saved.FileList = {{"D:\\a.txt", false}};
    ASSERT_EQ(store.saveSettings(saved), "");
    ASSERT_EQ(store.saveLists(saved), "");

    load();
    EXPECT_EQ(settings, saved);
    EXPECT_EQ(recycleQuestions, 1);

    CleanSettings emptied;
    ASSERT_EQ(store.saveLists(emptied), "");
    CleanSettings reloaded;
    store.loadSettings(reloaded, {});
    EXPECT_TRUE(reloaded.PathList.empty()) << "an emptied search-path list stays empty";
    EXPECT_TRUE(reloaded.FolderList.empty());
}

} // namespace
} // namespace dustbane
