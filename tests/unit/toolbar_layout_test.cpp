#include "app/toolbar_layout.h"
#include "fakes/fake_platform.h"
#include "settings/settings_store.h"

#include <gtest/gtest.h>

namespace dustbane {
namespace {

using testing::FakePlatform;
using testing::FakeRegistry;

constexpr ToolbarSlot allSlots[] = {ToolbarSlot::Clean, ToolbarSlot::Options, ToolbarSlot::Help,
                                    ToolbarSlot::Log,   ToolbarSlot::About,   ToolbarSlot::Exit};

std::vector<std::string> captionsOf(const ToolbarModel& model) {
    std::vector<std::string> captions;
    for (auto slot : allSlots) {
        captions.push_back(model.caption(slot));
    }
    return captions;
}

TEST(ToolbarGeometry, TextAndIconModesPlaceEachSlot) {
    EXPECT_EQ(toolbarHeight(DisplayMode::Text), 80);
    EXPECT_EQ(toolbarHeight(DisplayMode::IconsOnly), 60);
    EXPECT_EQ(buttonPlace(DisplayMode::Text, 0), (ButtonPlace{0, 2, 72, 75}));
    EXPECT_EQ(buttonPlace(DisplayMode::Text, 5), (ButtonPlace{365, 2, 72, 75}));
    EXPECT_EQ(buttonPlace(DisplayMode::IconsOnly, 1), (ButtonPlace{56, 2, 55, 55}));
    EXPECT_EQ(buttonPlace(DisplayMode::IconsOnly, 5), (ButtonPlace{280, 2, 55, 55}));
}

class ToolbarModelTest : public ::testing::Test {
  protected:
    ToolbarModelTest() { model.applyLanguage(language); }

    FakePlatform fake;
    LanguageTable language;
    ToolbarModel model;
};

TEST_F(ToolbarModelTest, StartsInTextModeWithTheTableCaptionsAndHints) {
    EXPECT_FALSE(model.onlyIconsChecked());
    EXPECT_EQ(model.height(), 80);
    EXPECT_EQ(captionsOf(model),
              (std::vector<std::string>{"Clean", "Options", "Help", "Log", "About", "Exit"}));
    EXPECT_EQ(model.hint(ToolbarSlot::Log), "Open the log");
    EXPECT_EQ(model.hint(ToolbarSlot::Exit), "Exit the program");
}

TEST_F(ToolbarModelTest, OnlyIconsEmptiesCaptionsShrinksButtonsAndStoresTheMode) {
    model.onlyIcons(fake.registry, fake.prompter);
    EXPECT_TRUE(model.onlyIconsChecked());
    EXPECT_EQ(model.height(), 60);
    EXPECT_EQ(captionsOf(model), std::vector<std::string>(6, ""));
    EXPECT_EQ(model.place(ToolbarSlot::About), (ButtonPlace{224, 2, 55, 55}));
    EXPECT_EQ(model.hint(ToolbarSlot::About), "About the program") << "hints stay";
    EXPECT_EQ(fake.registry.get(settingsKeyPath, "DisplayText"), FakeRegistry::Value{0});
    EXPECT_TRUE(displayTextStoredOff(fake.registry));
}

TEST_F(ToolbarModelTest, TheCheckedItemAgainChangesAndWritesNothing) {
    model.showText(fake.registry, fake.prompter);
    EXPECT_FALSE(fake.registry.has(settingsKeyPath, "DisplayText"));
    model.onlyIcons(fake.registry, fake.prompter);
    fake.registry.set(settingsKeyPath, "DisplayText", int32_t{7});
    model.onlyIcons(fake.registry, fake.prompter);
    EXPECT_EQ(fake.registry.get(settingsKeyPath, "DisplayText"), FakeRegistry::Value{7});
}

TEST_F(ToolbarModelTest, ShowTextGivesFixedEnglishCaptionsEvenWithALanguageFile) {
    LanguageTable german;
    german.loadText("Staubfrei\nReinigen\nx\nx\nx\nOptionen\nx\nHilfe\nx\nProtokoll\nx\n\n\n"
                    "Info\nx\nBeenden\nx\n");
    model.applyLanguage(german);
    EXPECT_EQ(model.caption(ToolbarSlot::Clean), "Reinigen");
    model.onlyIcons(fake.registry, fake.prompter);
    model.showText(fake.registry, fake.prompter);
    EXPECT_FALSE(model.onlyIconsChecked());
    EXPECT_EQ(model.height(), 80);
    EXPECT_EQ(captionsOf(model),
              (std::vector<std::string>{"Clean", "Option", "Help", "Log", "About", "Exit"}));
    EXPECT_EQ(model.place(ToolbarSlot::Exit), (ButtonPlace{365, 2, 72, 75}));
    EXPECT_EQ(fake.registry.get(settingsKeyPath, "DisplayText"), FakeRegistry::Value{1});
    EXPECT_FALSE(displayTextStoredOff(fake.registry));
}

TEST_F(ToolbarModelTest, TheExitCaptionDecidesWhetherButtonsChange) {
    model.setCaption(ToolbarSlot::Exit, "");
    model.onlyIcons(fake.registry, fake.prompter);
    EXPECT_TRUE(model.onlyIconsChecked()) << "the menu still switches";
    EXPECT_EQ(model.caption(ToolbarSlot::Clean), "Clean");
    EXPECT_EQ(model.height(), 80);
    EXPECT_FALSE(fake.registry.has(settingsKeyPath, "DisplayText"));

    model.setCaption(ToolbarSlot::Exit, "Exit");
    model.showText(fake.registry, fake.prompter);
    EXPECT_FALSE(model.onlyIconsChecked());
    EXPECT_FALSE(fake.registry.has(settingsKeyPath, "DisplayText"));
}

TEST_F(ToolbarModelTest, AFailedWriteIsReportedAndSkipsTheHeightChange) {
    fake.registry.makeReadOnly(settingsKeyPath);
    model.onlyIcons(fake.registry, fake.prompter);
    ASSERT_EQ(fake.prompter.errors.size(), 1u);
    EXPECT_NE(fake.prompter.errors[0].find("DisplayText"), std::string::npos);
    EXPECT_EQ(model.place(ToolbarSlot::Clean).width, 55) << "buttons changed before the write";
    EXPECT_EQ(model.height(), 80);
}

TEST(ToolbarStartup, OnlyAStoredZeroMeansIconsOnly) {
    FakePlatform fake;
    EXPECT_FALSE(displayTextStoredOff(fake.registry));
    fake.registry.set(settingsKeyPath, "DisplayText", "0");
    EXPECT_FALSE(displayTextStoredOff(fake.registry)) << "a text value is a failed read";
    fake.registry.set(settingsKeyPath, "DisplayText", int32_t{0});
    EXPECT_TRUE(displayTextStoredOff(fake.registry));
}

} // namespace
} // namespace dustbane
