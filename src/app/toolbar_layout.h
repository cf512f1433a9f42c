#pragma once

#include "app/language_table.h"
#include "platform/prompter.h"
#include "platform/registry.h"

#include <array>
#include <string>

namespace dustbane {

// The toolbar's buttons by slot, left to right.
enum class ToolbarSlot { Clean = 0, Options = 1, Help = 2, Log = 3, About = 4, Exit = 5 };
inline constexpr int toolbarSlotCount = 6;

struct ToolbarButtonText {
    int captionEntry;
    int hintEntry;
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

int toolbarHeight(DisplayMode mode);
ButtonPlace buttonPlace(DisplayMode mode, int slot);

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

    bool onlyIconsChecked() const { return onlyIconsChecked_; }
    int height() const { return height_; }
    const std::string& caption(ToolbarSlot slot) const { return captions_[index(slot)]; }
    const std::string& hint(ToolbarSlot slot) const { return hints_[index(slot)]; }
    ButtonPlace place(ToolbarSlot slot) const { return places_[index(slot)]; }

    void setCaption(ToolbarSlot slot, std::string caption);
    void setHint(ToolbarSlot slot, std::string hint);

  private:
    static size_t index(ToolbarSlot slot) { return static_cast<size_t>(slot); }
    void placeButtons(DisplayMode mode);

    std::array<std::string, toolbarSlotCount> captions_;
    std::array<std::string, toolbarSlotCount> hints_;
    std::array<ButtonPlace, toolbarSlotCount> places_;
    int height_;
    bool onlyIconsChecked_ = false;
};

// Start-up: whether DisplayText is stored as false. A missing or unreadable value is not.
bool displayTextStoredOff(Registry& registry);

} // namespace dustbane
