#include "app/toolbar_layout.h"
#include "fakes/fake_platform.h"
#include "settings/settings_store.h"

#include <gtest/gtest.h>

namespace dustbane {
namespace {

using testing::FakePlatform;
using testing::FakeRegistry;

constexpr ToolbarSlot allSlots[] = {ToolbarSlot::Clean, ToolbarSlot::Analyze, ToolbarSlot::Options,
                                    ToolbarSlot::Help,  ToolbarSlot::Log,     ToolbarSlot::About,
                                    ToolbarSlot::Exit};

std::vector<int> leftEdgesOf(const ToolbarModel& model) {
    std::vector<int> edges;
    for (auto slot : allSlots) {
        edges.push_back(model.place(slot).left);
    }
    return edges;
}

std::vector<std::string> captionsOf(const ToolbarModel& model) {
    std::vector<std::string> captions;
    for (auto slot : allSlots) {
        captions.push_back(model.caption(slot));
    }
    return captions;
}

TEST(ToolbarGeometry, TextAndIconModesPlaceEachSlot) {
    EXPECT_EQ(toolbarHeight(DisplayMode::Text, 96), 80);
    EXPECT_EQ(toolbarHeight(DisplayMode::IconsOnly, 96), 60);
    EXPECT_EQ(buttonPlace(DisplayMode::Text, 0, 96), (ButtonPlace{0, 2, 72, 75}));
    EXPECT_EQ(buttonPlace(DisplayMode::Text, 6, 96), (ButtonPlace{438, 2, 72, 75}));
    EXPECT_EQ(buttonPlace(DisplayMode::IconsOnly, 1, 96), (ButtonPlace{56, 2, 55, 55}));
    EXPECT_EQ(buttonPlace(DisplayMode::IconsOnly, 6, 96), (ButtonPlace{336, 2, 55, 55}));
}

// The designed window, less a sizing frame of 8 pixels a side, holds every button in the
// wider text mode at every density.
TEST(ToolbarGeometry, TheDesignedWindowHoldsAllSevenButtons) {
    for (int dpi : {96, 120, 144, 192}) {
        SCOPED_TRACE("dpi " + std::to_string(dpi));
        ButtonPlace last = buttonPlace(DisplayMode::Text, toolbarSlotCount - 1, dpi);
        int client = metrics::scaled(metrics::windowWidth, dpi) - 2 * metrics::scaled(8, dpi);
        EXPECT_LE(last.left + last.width, client);
    }
}

TEST(ToolbarGeometry, ScalesWithTheScreenDensity) {
    EXPECT_EQ(toolbarHeight(DisplayMode::Text, 144), 120);
    EXPECT_EQ(toolbarHeight(DisplayMode::IconsOnly, 144), 90);
    EXPECT_EQ(buttonPlace(DisplayMode::Text, 6, 144), (ButtonPlace{660, 3, 108, 113}));
    EXPECT_EQ(buttonPlace(DisplayMode::IconsOnly, 6, 144), (ButtonPlace{504, 3, 83, 83}));
    EXPECT_EQ(toolbarHeight(DisplayMode::Text, 120), 100);
    EXPECT_EQ(buttonPlace(DisplayMode::Text, 2, 120), (ButtonPlace{182, 3, 90, 94}));
    EXPECT_EQ(buttonPlace(DisplayMode::IconsOnly, 3, 120), (ButtonPlace{210, 3, 69, 69}));
}

// Whatever the density: buttons never overlap, fit in the bar, and a caption has room for
// a line of the caption font under the picture.
TEST(ToolbarGeometry, EveryDensityKeepsButtonsApartInsideTheBarWithRoomForTheCaption) {
    for (int dpi : {72, 96, 108, 120, 144, 168, 192, 240, 288}) {
        SCOPED_TRACE("dpi " + std::to_string(dpi));
        for (DisplayMode mode : {DisplayMode::Text, DisplayMode::IconsOnly}) {
            bool withCaption = mode == DisplayMode::Text;
            for (int slot = 0; slot < toolbarSlotCount; ++slot) {
                ButtonPlace place = buttonPlace(mode, slot, dpi);
                EXPECT_LE(place.top + place.height, toolbarHeight(mode, dpi));
                if (slot + 1 < toolbarSlotCount) {
                    EXPECT_LT(place.left + place.width, buttonPlace(mode, slot + 1, dpi).left);
                }
                auto face = buttonFace(buttonPictureSize(static_cast<ToolbarSlot>(slot), dpi),
                                       place.width, place.height, withCaption, dpi);
                EXPECT_GE(face.picture.left, 0);
                EXPECT_GE(face.picture.top, 0);
                EXPECT_LE(face.picture.left + face.picture.width, place.width);
                if (withCaption) {
                    EXPECT_GE(face.caption.top, face.picture.top + face.picture.height);
                    // A character cell is about a fifth taller than the character height.
                    EXPECT_GE(face.caption.height * 5, buttonFontHeight(dpi) * 6);
                } else {
                    EXPECT_LE(face.picture.top + face.picture.height, place.height);
                }
            }
        }
    }
}

TEST(ToolbarGeometry, PicturesAndCaptionsAtTheUsualDensities) {
    EXPECT_EQ(buttonPictureSize(ToolbarSlot::Options, 96), (PictureSize{36, 36}));
    EXPECT_EQ(buttonPictureSize(ToolbarSlot::Analyze, 96), (PictureSize{36, 36}))
        << "only the clean picture is shorter";
    EXPECT_EQ(buttonPictureSize(ToolbarSlot::Analyze, 144), (PictureSize{54, 54}));
    EXPECT_EQ(buttonPictureSize(ToolbarSlot::Clean, 96), (PictureSize{36, 35}));
    EXPECT_EQ(buttonPictureSize(ToolbarSlot::Clean, 120), (PictureSize{45, 44}));
    EXPECT_EQ(buttonPictureSize(ToolbarSlot::Exit, 144), (PictureSize{54, 54}));
    EXPECT_EQ(buttonPictureSize(ToolbarSlot::Clean, 144), (PictureSize{54, 53}));
    EXPECT_EQ(buttonFontHeight(96), 15);
    EXPECT_EQ(buttonFontHeight(120), 19);
    EXPECT_EQ(buttonFontHeight(144), 23);

    EXPECT_EQ(buttonFace({36, 36}, 72, 75, true, 96),
              (ButtonFace{{18, 7, 36, 36}, {2, 47, 68, 26}}));
    EXPECT_EQ(buttonFace({54, 54}, 108, 113, true, 144),
              (ButtonFace{{27, 11, 54, 54}, {3, 71, 102, 39}}));
    EXPECT_EQ(buttonFace({54, 53}, 108, 113, true, 144).caption.top, 71)
        << "the shorter clean picture keeps its caption in line with the others";
    EXPECT_EQ(buttonFace({54, 54}, 83, 83, false, 144), (ButtonFace{{14, 14, 54, 54}, {}}));
    EXPECT_EQ(buttonFace({54, 53}, 83, 83, false, 144).picture.top, 15)
        << "without a caption each picture is centred on its own height";
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
    EXPECT_EQ(captionsOf(model), (std::vector<std::string>{"Clean", "Analyze", "Options", "Help",
                                                           "Log", "About", "Exit"}));
    EXPECT_EQ(model.hint(ToolbarSlot::Clean), "Begin clean");
    EXPECT_EQ(model.hint(ToolbarSlot::Analyze), "See what a clean would free");
    EXPECT_EQ(model.hint(ToolbarSlot::Options), "Change settings");
    EXPECT_EQ(model.hint(ToolbarSlot::Log), "Open the log");
    EXPECT_EQ(model.hint(ToolbarSlot::Exit), "Exit the program");
}

TEST_F(ToolbarModelTest, OnlyIconsEmptiesCaptionsShrinksButtonsAndStoresTheMode) {
    model.onlyIcons(fake.registry, fake.prompter);
    EXPECT_TRUE(model.onlyIconsChecked());
    EXPECT_EQ(model.height(), 60);
    EXPECT_EQ(captionsOf(model), std::vector<std::string>(7, ""));
    EXPECT_EQ(leftEdgesOf(model), (std::vector<int>{0, 56, 112, 168, 224, 280, 336}));
    EXPECT_EQ(model.place(ToolbarSlot::Analyze), (ButtonPlace{56, 2, 55, 55}));
    EXPECT_EQ(model.hint(ToolbarSlot::About), "About the program") << "hints stay";
    EXPECT_EQ(model.hint(ToolbarSlot::Analyze), "See what a clean would free");
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
    EXPECT_EQ(captionsOf(model), (std::vector<std::string>{"Clean", "Analyze", "Option", "Help",
                                                           "Log", "About", "Exit"}));
    EXPECT_EQ(leftEdgesOf(model), (std::vector<int>{0, 73, 146, 219, 292, 365, 438}));
    EXPECT_EQ(model.place(ToolbarSlot::Analyze), (ButtonPlace{73, 2, 72, 75}));
    EXPECT_EQ(fake.registry.get(settingsKeyPath, "DisplayText"), FakeRegistry::Value{1});
    EXPECT_FALSE(displayTextStoredOff(fake.registry));
}

// Entries 73 and 74 of a language file, the last entries a file translates.
TEST_F(ToolbarModelTest, AnalyzeTakesItsTextsFromTheTableAndShowTextGivesItsFixedCaption) {
    std::string lines;
    for (int entry = 0; entry < static_cast<int>(Text::AnalyzeCaption); ++entry) {
        lines += "x\n";
    }
    LanguageTable german;
    german.loadText(lines + "Analysieren\nAnalysieren, was eine Reinigung frei macht\n");
    model.applyLanguage(german);
    EXPECT_EQ(model.caption(ToolbarSlot::Analyze), "Analysieren");
    EXPECT_EQ(model.hint(ToolbarSlot::Analyze), "Analysieren, was eine Reinigung frei macht");

    model.onlyIcons(fake.registry, fake.prompter);
    EXPECT_EQ(model.caption(ToolbarSlot::Analyze), "");
    model.showText(fake.registry, fake.prompter);
    EXPECT_EQ(model.caption(ToolbarSlot::Analyze), "Analyze");
    EXPECT_EQ(model.hint(ToolbarSlot::Analyze), "Analysieren, was eine Reinigung frei macht");
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

TEST_F(ToolbarModelTest, ADensityChangeMovesTheButtonsOfTheCurrentMode) {
    model.setDpi(144);
    EXPECT_EQ(model.height(), 120);
    EXPECT_EQ(leftEdgesOf(model), (std::vector<int>{0, 110, 220, 330, 440, 550, 660}));
    EXPECT_EQ(model.place(ToolbarSlot::Analyze), (ButtonPlace{110, 3, 108, 113}));
    EXPECT_EQ(model.place(ToolbarSlot::Exit), (ButtonPlace{660, 3, 108, 113}));
    model.onlyIcons(fake.registry, fake.prompter);
    EXPECT_EQ(model.height(), 90);
    EXPECT_EQ(leftEdgesOf(model), (std::vector<int>{0, 84, 168, 252, 336, 420, 504}));
    EXPECT_EQ(model.place(ToolbarSlot::Analyze), (ButtonPlace{84, 3, 83, 83}));
    model.setDpi(96);
    EXPECT_EQ(model.height(), 60);
    EXPECT_EQ(model.place(ToolbarSlot::Log), (ButtonPlace{224, 2, 55, 55}));
}

TEST_F(ToolbarModelTest, AFailedWriteKeepsTheTextHeightAtTheNewDensity) {
    fake.registry.makeReadOnly(settingsKeyPath);
    model.onlyIcons(fake.registry, fake.prompter);
    model.setDpi(120);
    EXPECT_EQ(model.height(), 100);
    EXPECT_EQ(model.place(ToolbarSlot::Clean).width, 69);
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
