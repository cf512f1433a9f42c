#include "fakes/fake_platform.h"
#include "settings/path_list_edit.h"
#include "settings/settings_store.h"
#include "settings/settings_summary.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace dustbane {
namespace {

using testing::FakePlatform;
using testing::FakeRegistry;

struct AgeLimitSettings : ::testing::Test {
    FakePlatform fake;
    SettingsStore store{fake.registry, fake.system};
    CleanSettings settings;

    void set(const std::string& name, FakeRegistry::Value value) {
        fake.registry.set(settingsKeyPath, name, std::move(value));
    }
    void load() { store.loadSettings(settings, {}); }
};

TEST_F(AgeLimitSettings, OffWith24HoursAtFirstStartAfterAnUpgradeAndAfterDefault) {
    EXPECT_FALSE(settings.Agelimit);
    EXPECT_EQ(settings.Agehours, 24);

    // A key written by a version without the limit.
    set("Pathnum", int32_t{0});
    set("Logday", int32_t{5});
    load();
    EXPECT_FALSE(settings.Agelimit);
    EXPECT_EQ(settings.Agehours, 24);

    settings.Agelimit = true;
    settings.Agehours = 72;
    restoreDefaults(settings);
    EXPECT_FALSE(settings.Agelimit);
    EXPECT_EQ(settings.Agehours, 72) << "the number stays, as the log's days do";
}

TEST_F(AgeLimitSettings, StoredAfterEveryOtherValueAndLoadedBackClamped) {
    settings.Agelimit = true;
    settings.Agehours = 100;
    set("Agelimit", int32_t{0});
    fake.registry.failWritesAfter(static_cast<int>(flagFields.size()) + 3);
    EXPECT_NE(store.saveSettings(settings).find("\"Agelimit\""), std::string::npos);
    EXPECT_TRUE(fake.registry.has(settingsKeyPath, "Logday"));
    EXPECT_EQ(fake.registry.get(settingsKeyPath, "Agelimit"), FakeRegistry::Value{int32_t{0}});
    EXPECT_FALSE(fake.registry.has(settingsKeyPath, "Agehours"));

    fake.registry.failWritesAfter(-1);
    ASSERT_EQ(store.saveSettings(settings), "");
    EXPECT_EQ(fake.registry.get(settingsKeyPath, "Agelimit"), FakeRegistry::Value{int32_t{1}});
    EXPECT_EQ(fake.registry.get(settingsKeyPath, "Agehours"), FakeRegistry::Value{int32_t{100}});

    const std::pair<int32_t, int32_t> clamped[] = {{0, 1},     {-5, 1},    {1, 1},
                                                   {720, 720}, {721, 720}, {100000, 720}};
    for (auto [stored, hours] : clamped) {
        CleanSettings loaded;
        set("Agehours", stored);
        store.loadSettings(loaded, {});
        EXPECT_TRUE(loaded.Agelimit);
        EXPECT_EQ(loaded.Agehours, hours) << stored;
    }
}

TEST_F(AgeLimitSettings, AWrongTypedValueLeavesTheLimitAsItWas) {
    set("Agelimit", std::string("1"));
    set("Agehours", int32_t{5});
    load();
    EXPECT_FALSE(settings.Agelimit);

    set("Agelimit", int32_t{1});
    set("Agehours", FakeRegistry::Binary{"\x05"});
    load();
    EXPECT_TRUE(settings.Agelimit);
    EXPECT_EQ(settings.Agehours, 24);
}

TEST(AgeHoursField, TypedTextIsClampedIntoOneTo720) {
    const std::pair<const char*, int32_t> cases[] = {
        {"", 1},      {"0", 1},     {"abc", 1},   {"1", 1},           {"48", 48},
        {"720", 720}, {"721", 720}, {"999", 720}, {"0000000036", 36}, {"12345", 720},
    };
    for (auto [text, hours] : cases) {
        EXPECT_EQ(ageHoursFromText(text), hours) << '"' << text << '"';
    }
}

struct AgeLimitSummary : ::testing::Test {
    FakePlatform fake;
    CleanSettings settings;
    LanguageTable language;
    ProtectedFolders folders{fake.shell, fake.files};
    SettingsSummary summary{settings, language, fake.window.model, folders};
};

TEST_F(AgeLimitSummary, OneLineNamesTheLimitWhileItIsOnAndModifyOpensTheGeneralPage) {
    summary.rebuild();
    const std::vector<std::string> without = fake.window.captions();

    settings.Recycle = false;
    settings.Agelimit = true;
    settings.Agehours = 6;
    summary.rebuild();
    const std::vector<std::string> captions = fake.window.captions();
    ASSERT_GE(captions.size(), 2u);
    EXPECT_EQ(captions[1], "  Only delete files older than 6 hours");
    EXPECT_EQ(captions.size(), without.size() + 2) << "and the permanent-deletion line";
    EXPECT_EQ(summary.pageForLine(1), OptionsPage::General);
}

// The line speaks the language of the table, and Modify still finds it in that language.
TEST_F(AgeLimitSummary, TheLineComesFromTheLanguageTable) {
    std::string translated;
    for (int i = 0; i < LanguageTable::size; ++i) {
        translated += "entry " + std::to_string(i) + "\r\n";
    }
    language.loadText(translated);
    settings.Agelimit = true;
    settings.Agehours = 6;
    summary.rebuild();
    const std::vector<std::string> captions = fake.window.captions();
    ASSERT_GE(captions.size(), 1u);
    EXPECT_EQ(captions[0], "  entry 71 6 entry 72");
    EXPECT_EQ(summary.pageForLine(0), OptionsPage::General);
}

} // namespace
} // namespace dustbane
