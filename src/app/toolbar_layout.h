#pragma once

#include "app/window_metrics.h"
#include "platform/prompter.h"
#include "platform/registry.h"
#include "text/language_table.h"

#include <array>
#include <string>

namespace dustbane {

// The toolbar's buttons by slot, left to right.
enum class ToolbarSlot { Clean, Analyze, Options, Help, Log, About, Exit };
inline constexpr int toolbarSlotCount = 7;

struct ToolbarButtonText {
    Text captionEntry;
    Text hintEntry;
    // The caption "Show Text" gives back, whatever the language table says.
    const char* fixedCaption;
};

// Language-table entries and fixed captions, by slot.
extern const std::array<ToolbarButtonText, toolbarSlotCount> toolbarButtonTexts;

struct ButtonPlace {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const ButtonPlace&) const = default;
};

enum class DisplayMode { Text, IconsOnly };

// Heights and places at the screen density (dots per inch; the design is at 96).
int toolbarHeight(DisplayMode mode, int dpi);
ButtonPlace buttonPlace(DisplayMode mode, int slot, int dpi);

// The size of a button's picture at the density: the resources hold each picture drawn at
// this size for the usual densities.
struct PictureSize {
    int width = 0;
    int height = 0;
    bool operator==(const PictureSize&) const = default;
};
PictureSize buttonPictureSize(ToolbarSlot slot, int dpi);
int buttonFontHeight(int dpi);

// Where a button of the given size draws a picture of the given size and its caption,
// relative to its top left corner. Without a caption the picture is centred.
struct ButtonFace {
    ButtonPlace picture;
    ButtonPlace caption;
    bool operator==(const ButtonFace&) const = default;
};
ButtonFace buttonFace(PictureSize picture, int buttonWidth, int buttonHeight, bool withCaption,
                      int dpi);

// What the toolbar shows: captions, hints, button places, its height and which item of its
// right-click menu is checked. The window paints from it.
class ToolbarModel {
  public:
    ToolbarModel();

    // Captions and hints from the table (at construction of the main window).
    void applyLanguage(const LanguageTable& language);

    // The right-click menu's commands. Each writes DisplayText when it changes the buttons;
    // a write failure is reported and ends the command there.
    void onlyIcons(Registry& registry, Prompter& prompter);
    void showText(Registry& registry, Prompter& prompter);

    // The screen density the places and height are for; the designed one until told otherwise.
    void setDpi(int dpi) { dpi_ = dpi; }
    int dpi() const { return dpi_; }

    bool onlyIconsChecked() const { return onlyIconsChecked_; }
    int height() const { return toolbarHeight(heightMode_, dpi_); }
    const std::string& caption(ToolbarSlot slot) const { return captions_[index(slot)]; }
    const std::string& hint(ToolbarSlot slot) const { return hints_[index(slot)]; }
    ButtonPlace place(ToolbarSlot slot) const {
        return buttonPlace(buttonMode_, static_cast<int>(slot), dpi_);
    }

    void setCaption(ToolbarSlot slot, std::string caption);
    void setHint(ToolbarSlot slot, std::string hint);

  private:
    static size_t index(ToolbarSlot slot) { return static_cast<size_t>(slot); }

    std::array<std::string, toolbarSlotCount> captions_;
    std::array<std::string, toolbarSlotCount> hints_;
    // The buttons and the bar change apart: a failed write of the mode leaves the bar's
    // height as it was.
    DisplayMode buttonMode_ = DisplayMode::Text;
    DisplayMode heightMode_ = DisplayMode::Text;
    int dpi_ = metrics::designDpi;
    bool onlyIconsChecked_ = false;
};

// Start-up: whether DisplayText is stored as false. A missing or unreadable value is not.
bool displayTextStoredOff(Registry& registry);

} // namespace dustbane
