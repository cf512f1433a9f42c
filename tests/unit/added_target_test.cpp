#include "engine/clean_driver.h"
#include "engine_fixture.h"
#include "settings/settings_store.h"
#include "settings/settings_summary.h"
#include "targets/target_catalogue.h"

#include <algorithm>
#include <string>
#include <vector>

namespace dustbane::testing {
namespace {

using Strings = std::vector<std::string>;

const std::string scratchCache = "C:\\users\\tester\\AppData\\Local\\Scratchpad\\Cache";
const FlagSetting scratchFlag{"Scratchpad", true, "Scratchpad cache"};

// The built-in catalogue with one made-up target after the ten.
TargetCatalogue withScratchpad() {
    TargetCatalogue catalogue = targetCatalogue();
    catalogue.push_back({
        .setting = {scratchFlag, TargetGroup::Applications, 4},
        .entry = StageEntry::AfterPump,
        .heading = Heading::WhenFound,
        .folders = {{.base = FolderBase::KnownFolder, .relative = "Scratchpad\\Cache"}},
    });
    return catalogue;
}

class AddedTarget : public EngineTest {
  protected:
    AddedTarget() { fake.files.addFolder("C:\\Program Files\\Dustbane"); }

    int lineOf(const std::string& caption) const {
        const Strings captions = fake.window.captions();
        auto found = std::find(captions.begin(), captions.end(), caption);
        return found == captions.end() ? -1 : static_cast<int>(found - captions.begin());
    }

    const TargetCatalogue catalogue = withScratchpad();
    SettingsStore store{fake.registry, fake.system, settingsOf(catalogue)};
    ProtectedFolders folders{fake.shell, fake.files};
    SettingsSummary summary{settings, language, fake.window.model, folders, settingsOf(catalogue)};
    CleanDriver driver{context, summary, stagesOf(catalogue)};
};

TEST_F(AddedTarget, ItsFlagIsStoredAfterTheBuiltInOnesAndLoadsBack) {
    EXPECT_TRUE(flagValue(settings, scratchFlag)) << "the start-up value until one is stored";

    fake.registry.set(settingsKeyPath, "Ext", std::string("old"));
    // Every flag before it goes through: the built-in ones and the catalogue's own targets.
    const auto flagsBefore = std::count_if(catalogue.begin(), catalogue.end() - 1,
                                           [](const CleanTarget& target) {
                                               return !isBuiltInFlag(target.setting.flag);
                                           }) +
                             static_cast<std::ptrdiff_t>(flagFields.size());
    fake.registry.failWritesAfter(static_cast<int>(flagsBefore));
    EXPECT_NE(store.saveSettings(settings).find("\"Scratchpad\""), std::string::npos);
    for (const FlagField& flag : flagFields) {
        EXPECT_TRUE(fake.registry.get(settingsKeyPath, flag.name)) << flag.name;
    }
    EXPECT_FALSE(fake.registry.get(settingsKeyPath, "Scratchpad"));
    EXPECT_EQ(fake.registry.get(settingsKeyPath, "Ext"), FakeRegistry::Value{std::string("old")})
        << "the texts come after it";

    fake.registry.failWritesAfter(-1);
    setFlagValue(settings, scratchFlag, false);
    ASSERT_EQ(store.saveSettings(settings), "");
    EXPECT_EQ(fake.registry.get(settingsKeyPath, "Scratchpad"), FakeRegistry::Value{int32_t{0}});

    CleanSettings loaded;
    store.loadSettings(loaded, {});
    EXPECT_FALSE(flagValue(loaded, scratchFlag));
    restoreDefaults(loaded);
    EXPECT_TRUE(flagValue(loaded, scratchFlag)) << "Default gives the start-up value again";
}

TEST_F(AddedTarget, ItsSummaryLineFollowsTheBuiltInLocationsAndOpensTheCleanPage) {
    summary.rebuild();
    const int scratch = lineOf("  Scratchpad cache");
    ASSERT_GE(scratch, 0);
    EXPECT_EQ(scratch, lineOf("  Acrobat Reader8 Cache") + 1);
    EXPECT_EQ(scratch + 1, lineOf("  .tmp .old .bak "));
    EXPECT_EQ(summary.pageForLine(scratch), OptionsPage::Clean);

    setFlagValue(settings, scratchFlag, false);
    summary.rebuild();
    EXPECT_EQ(lineOf("  Scratchpad cache"), -1);
}

TEST_F(AddedTarget, ACleanRunEmptiesItsFolderAfterTheTenWithItsHeading) {
    turnOffFixedLocations(settings);
    settings.Acrobatreader = true;
    fake.files.addFile(
        "C:\\users\\tester\\AppData\\Local\\Adobe\\Acrobat\\8.0\\Cache\\Search80\\s");
    fake.files.addFile(scratchCache + "\\page.bin");
    fake.files.addFile(scratchCache + "\\sub\\more.bin");

    driver.runUnattended(CleanDriver::BinStep::Keep);

    EXPECT_EQ(fake.window.captions(),
              (Strings{"10:42:07 Clean Acrobat Reader8 Cache", "10:42:07 Clean Scratchpad cache",
                       "10:42:07 Clean finished: 3 files or folders had been cleaned.",
                       "Freed 3 bytes for good, 0 bytes to the Recycle Bin; 0 items stayed"}));
    EXPECT_TRUE(fake.files.directoryExists(scratchCache)) << "the folder itself stays";
    EXPECT_TRUE(fake.files.treeBelow(scratchCache).empty());
}

TEST_F(AddedTarget, TurnedOffItLeavesItsFolderAlone) {
    turnOffFixedLocations(settings);
    setFlagValue(settings, scratchFlag, false);
    fake.files.addFile(scratchCache + "\\page.bin");

    driver.runUnattended(CleanDriver::BinStep::Keep);

    EXPECT_EQ(fake.window.captions(),
              (Strings{"10:42:07 Clean finished: 0 files or folders had been cleaned.",
                       "Freed 0 bytes for good, 0 bytes to the Recycle Bin; 0 items stayed"}));
    EXPECT_TRUE(fake.files.exists(scratchCache + "\\page.bin"));
}

} // namespace
} // namespace dustbane::testing
