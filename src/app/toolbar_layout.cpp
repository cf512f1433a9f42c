#include "app/toolbar_layout.h"

#include "app/window_metrics.h"
#include "settings/settings_store.h"

namespace dustbane {

const std::array<ToolbarButtonText, toolbarSlotCount> toolbarButtonTexts = {{
    {Text::CleanCaption, Text::CleanHint, "Clean"},
    {Text::AnalyzeCaption, Text::AnalyzeHint, "Analyze"},
    {Text::OptionsCaption, Text::OptionsHint, "Option"},
    {Text::HelpCaption, Text::HelpHint, "Help"},
    {Text::LogCaption, Text::LogHint, "Log"},
    {Text::AboutCaption, Text::AboutHint, "About"},
    {Text::ExitCaption, Text::ExitHint, "Exit"},
}};

using metrics::scaled;

int toolbarHeight(DisplayMode mode, int dpi) {
    return scaled(
        mode == DisplayMode::Text ? metrics::toolbarHeightText : metrics::toolbarHeightIcons, dpi);
}

// The left edge is the slot times the scaled pitch, so that every gap between two buttons
// is the same width whatever the rounding.
ButtonPlace buttonPlace(DisplayMode mode, int slot, int dpi) {
    if (mode == DisplayMode::Text) {
        return {slot * scaled(metrics::buttonPitchText, dpi), scaled(metrics::buttonTop, dpi),
                scaled(metrics::buttonWidthText, dpi), scaled(metrics::buttonHeightText, dpi)};
    }
    int size = scaled(metrics::buttonSizeIcons, dpi);
    return {slot * scaled(metrics::buttonPitchIcons, dpi), scaled(metrics::buttonTop, dpi), size,
            size};
}

PictureSize buttonPictureSize(ToolbarSlot slot, int dpi) {
    int height =
        slot == ToolbarSlot::Clean ? metrics::cleanPictureHeight : metrics::buttonPictureSize;
    return {scaled(metrics::buttonPictureSize, dpi), scaled(height, dpi)};
}

int buttonFontHeight(int dpi) {
    return scaled(metrics::buttonFontHeight, dpi);
}

ButtonFace buttonFace(PictureSize picture, int buttonWidth, int buttonHeight, bool withCaption,
                      int dpi) {
    // Every caption starts below a full-size picture, so that a shorter one (the clean
    // picture) leaves the captions in line.
    int fullHeight = scaled(metrics::buttonPictureSize, dpi);
    int pictureTop = withCaption ? scaled(metrics::pictureTopWithCaption, dpi)
                                 : (buttonHeight - picture.height) / 2;
    ButtonFace face{{(buttonWidth - picture.width) / 2, pictureTop, picture.width, picture.height},
                    {}};
    if (withCaption) {
        int margin = scaled(metrics::captionMargin, dpi);
        int captionTop = pictureTop + fullHeight + scaled(metrics::captionGap, dpi);
        face.caption = {margin, captionTop, buttonWidth - 2 * margin,
                        buttonHeight - margin - captionTop};
    }
    return face;
}

namespace {

bool writeDisplayText(Registry& registry, Prompter& prompter, bool value) {
    auto key = registry.open(RegistryRoot::CurrentUser, settingsKeyPath, true);
    if (key && key->writeInt("DisplayText", value ? 1 : 0)) {
        return true;
    }
    prompter.reportError(std::string("The toolbar's display mode could not be saved: "
                                     "writing DisplayText under HKEY_CURRENT_USER\\") +
                         settingsKeyPath + " failed.");
    return false;
}

} // namespace

ToolbarModel::ToolbarModel() {
    for (size_t slot = 0; slot < captions_.size(); ++slot) {
        captions_[slot] = LanguageTable::builtIn(toolbarButtonTexts[slot].captionEntry);
        hints_[slot] = LanguageTable::builtIn(toolbarButtonTexts[slot].hintEntry);
    }
}

void ToolbarModel::applyLanguage(const LanguageTable& language) {
    for (size_t slot = 0; slot < captions_.size(); ++slot) {
        captions_[slot] = language.text(toolbarButtonTexts[slot].captionEntry);
        hints_[slot] = language.text(toolbarButtonTexts[slot].hintEntry);
    }
}

void ToolbarModel::onlyIcons(Registry& registry, Prompter& prompter) {
    if (onlyIconsChecked_) {
        return;
    }
    onlyIconsChecked_ = true;
    if (caption(ToolbarSlot::Exit).empty()) {
        return;
    }
    for (auto& text : captions_) {
        text.clear();
    }
    buttonMode_ = DisplayMode::IconsOnly;
    if (!writeDisplayText(registry, prompter, false)) {
        return;
    }
    heightMode_ = DisplayMode::IconsOnly;
}

void ToolbarModel::showText(Registry& registry, Prompter& prompter) {
    if (!onlyIconsChecked_) {
        return;
    }
    onlyIconsChecked_ = false;
    if (!caption(ToolbarSlot::Exit).empty()) {
        return;
    }
    for (size_t slot = 0; slot < captions_.size(); ++slot) {
        captions_[slot] = toolbarButtonTexts[slot].fixedCaption;
    }
    heightMode_ = DisplayMode::Text;
    buttonMode_ = DisplayMode::Text;
    writeDisplayText(registry, prompter, true);
}

void ToolbarModel::setCaption(ToolbarSlot slot, std::string caption) {
    captions_[index(slot)] = std::move(caption);
}

void ToolbarModel::setHint(ToolbarSlot slot, std::string hint) {
    hints_[index(slot)] = std::move(hint);
}

bool displayTextStoredOff(Registry& registry) {
    auto key = registry.open(RegistryRoot::CurrentUser, settingsKeyPath, true);
    if (!key) {
        return false;
    }
    auto value = key->readInt("DisplayText");
    return value && *value == 0;
}

} // namespace dustbane
