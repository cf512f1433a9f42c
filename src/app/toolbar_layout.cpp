#include "app/toolbar_layout.h"

#include "app/window_metrics.h"
#include "settings/settings_store.h"

namespace dustbane {

const std::array<ToolbarButtonText, toolbarSlotCount> toolbarButtonTexts = {{
    {1, 2, "Clean"},
    {5, 6, "Option"},
    {7, 8, "Help"},
    {9, 10, "Log"},
    {13, 14, "About"},
    {15, 16, "Exit"},
}};

int toolbarHeight(DisplayMode mode) {
    return mode == DisplayMode::Text ? metrics::toolbarHeightText : metrics::toolbarHeightIcons;
}

ButtonPlace buttonPlace(DisplayMode mode, int slot) {
    if (mode == DisplayMode::Text) {
        return {slot * metrics::buttonPitchText, metrics::buttonTop, metrics::buttonWidthText,
                metrics::buttonHeightText};
    }
    return {slot * metrics::buttonPitchIcons, metrics::buttonTop, metrics::buttonSizeIcons,
            metrics::buttonSizeIcons};
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

ToolbarModel::ToolbarModel() : height_(toolbarHeight(DisplayMode::Text)) {
    placeButtons(DisplayMode::Text);
    for (size_t slot = 0; slot < captions_.size(); ++slot) {
        captions_[slot] = LanguageTable::builtIn()[toolbarButtonTexts[slot].captionEntry];
        hints_[slot] = LanguageTable::builtIn()[toolbarButtonTexts[slot].hintEntry];
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
    placeButtons(DisplayMode::IconsOnly);
    if (!writeDisplayText(registry, prompter, false)) {
        return;
    }
    height_ = toolbarHeight(DisplayMode::IconsOnly);
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
    height_ = toolbarHeight(DisplayMode::Text);
    placeButtons(DisplayMode::Text);
    writeDisplayText(registry, prompter, true);
}

void ToolbarModel::setCaption(ToolbarSlot slot, std::string caption) {
    captions_[index(slot)] = std::move(caption);
}

void ToolbarModel::setHint(ToolbarSlot slot, std::string hint) {
    hints_[index(slot)] = std::move(hint);
}

void ToolbarModel::placeButtons(DisplayMode mode) {
    for (size_t slot = 0; slot < places_.size(); ++slot) {
        places_[slot] = buttonPlace(mode, static_cast<int>(slot));
    }
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
