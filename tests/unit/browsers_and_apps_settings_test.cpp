#include "fakes/fake_platform.h"
#include "settings/settings_store.h"
#include "settings/settings_summary.h"
#include "targets/target_catalogue.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace dustbane::testing {
namespace {

using Strings = std::vector<std::string>;

// The targets of the "Browsers and apps" page, by value name.
std::vector<FlagSetting> browsersPageFlags() {
    std::vector<FlagSetting> flags;
    for (const TargetSetting& target : settingsOf(targetCatalogue())) {
        if (onBrowsersPage(target.group)) {
            flags.push_back(target.flag);
        }
    }
    return flags;
}

class BrowsersAndAppsSettings : public ::testing::Test {
  protected:
    int lineOf(const std::string& caption) const {
        const Strings captions = fake.window.captions();
        auto found = std::find(captions.begin(), captions.end(), caption);
        return found == captions.end() ? -1 : static_cast<int>(found - captions.begin());
    }

    FakePlatform fake;
    CleanSettings settings;
    LanguageTable language;
    const TargetSettings targets = settingsOf(targetCatalogue());
    SettingsStore store{fake.registry, fake.system, targets};
    ProtectedFolders folders{fake.shell, fake.files};
    SettingsSummary summary{settings, language, fake.window.model, folders, targets};
};

TEST_F(BrowsersAndAppsSettings, EveryTargetHasItsOwnValueNameBesideTheBuiltInOnes) {
    const std::vector<FlagSetting> flags = browsersPageFlags();
    ASSERT_EQ(flags.size(), 18u);
    for (const FlagSetting& flag : flags) {
        EXPECT_FALSE(isBuiltInFlag(flag)) << flag.name;
        const auto same = std::count_if(flags.begin(), flags.end(), [&flag](const FlagSetting& f) {
            return std::string(f.name) == flag.name || std::string(f.caption) == flag.caption;
        });
        EXPECT_EQ(same, 1) << flag.name;
    }
}

TEST_F(BrowsersAndAppsSettings, AFirstStartAndDefaultTurnOnAllButTheDriverCachesAndSystemFolders) {
    store.loadSettings(settings, {});
    auto onNow = [this] {
        Strings on;
        for (const FlagSetting& flag : browsersPageFlags()) {
            if (flagValue(settings, flag)) {
                on.push_back(flag.name);
            }
        }
        return on;
    };
    const Strings firstStart = {"ChromeCache",  "EdgeCache",          "BraveCache",
                                "VivaldiCache", "OperaCache",         "FirefoxCache2",
                                "TeamsCache",   "DiscordCache",       "SlackCache",
                                "VSCodeCache",  "DirectXShaderCache", "CrashDumps"};
    EXPECT_EQ(onNow(), firstStart);

    for (const FlagSetting& flag : browsersPageFlags()) {
        setFlagValue(settings, flag, !flag.startValue);
    }
    restoreDefaults(settings);
    EXPECT_EQ(onNow(), firstStart);
}

TEST_F(BrowsersAndAppsSettings, SettingsOfAnEarlierVersionKeepEveryNewTargetOff) {
    // What an earlier version's OK left: the built-in flags and the lists, nothing newer.
    CleanSettings earlier;
    SettingsStore earlierStore{fake.registry, fake.system};
    ASSERT_EQ(earlierStore.saveSettings(earlier), "");
    ASSERT_EQ(earlierStore.saveLists(earlier), "");

    store.loadSettings(settings, {});

    for (const FlagSetting& flag : browsersPageFlags()) {
        EXPECT_FALSE(flagValue(settings, flag)) << flag.name;
    }
    EXPECT_TRUE(settings.Tempfolder) << "the built-in flags load as stored";

    // Once ticked and saved, they load as ticked.
    const FlagSetting chrome = browsersPageFlags().front();
    setFlagValue(settings, chrome, true);
    ASSERT_EQ(store.saveSettings(settings), "");
    CleanSettings reloaded;
    store.loadSettings(reloaded, {});
    EXPECT_TRUE(flagValue(reloaded, chrome));
}

TEST_F(BrowsersAndAppsSettings,
       TheSummaryListsEnabledTargetsUnderTheirHeadingAndModifyOpensThePage) {
    for (const FlagSetting& flag : browsersPageFlags()) {
        setFlagValue(settings, flag, false);
    }
    summary.rebuild();
    EXPECT_EQ(lineOf("Browsers and apps:"), -1) << "no heading without a target";

    for (const char* name : {"FirefoxCache2", "WindowsTempFolder", "ChromeCache"}) {
        for (const FlagSetting& flag : browsersPageFlags()) {
            if (std::string(flag.name) == name) {
                setFlagValue(settings, flag, true);
            }
        }
    }
    summary.rebuild();

    const int heading = lineOf("Browsers and apps:");
    ASSERT_GT(heading, lineOf("  .tmp .old .bak ")) << "after the other locations and rules";
    EXPECT_EQ(fake.window.captions().size(), static_cast<size_t>(heading + 4));
    EXPECT_EQ(lineOf("  Google Chrome"), heading + 1);
    EXPECT_EQ(lineOf("  Firefox (current versions)"), heading + 2);
    EXPECT_EQ(lineOf("  Windows temporary folder"), heading + 3);
    for (int line = heading; line <= heading + 3; ++line) {
        EXPECT_EQ(summary.pageForLine(line), OptionsPage::BrowsersAndApps) << line;
    }
    EXPECT_EQ(summary.pageForLine(lineOf("  Temporary folder")), OptionsPage::Clean);
    EXPECT_EQ(summary.pageForLine(lineOf("  Firefox cache folder")), OptionsPage::Clean);
}

TEST(BrowsersAndAppsTexts, AnOlderLanguageFileFallsBackToEnglishForTheNewLinesOnly) {
    std::string older;
    for (int i = 0; i <= static_cast<int>(Text::FoldersNotSearched); ++i) {
        older += "entry " + std::to_string(i) + "\r\n";
    }
    LanguageTable table;
    table.loadText(older);

    EXPECT_EQ(table.text(Text::FoldersNotSearched), "entry 66");
    EXPECT_EQ(table.text(Text::Skipped), "skipped:");
    EXPECT_EQ(table.text(Text::IsRunning), "is running");
    EXPECT_EQ(table.text(Text::NeedsAdministratorRights), "needs administrator rights");
    EXPECT_EQ(table.text(Text::BrowsersAndApps), "Browsers and apps");
}

} // namespace
} // namespace dustbane::testing
