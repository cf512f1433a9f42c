#include "settings/settings_summary.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <utility>
#include <vector>

namespace dustbane {

namespace {

const std::string indent = "  ";

// The built-in locations and rules the outline names when they are on, in the order shown;
// the other targets come between the two.
constexpr std::array<bool CleanSettings::*, 11> shownLocations = {
    &CleanSettings::Tempfolder,  &CleanSettings::Interfolder,   &CleanSettings::Empfolder,
    &CleanSettings::Hotfix,      &CleanSettings::Errorreport,   &CleanSettings::WDIfile,
    &CleanSettings::Firefox,     &CleanSettings::Acdsee,        &CleanSettings::Thumbs,
    &CleanSettings::GoogleEarth, &CleanSettings::Acrobatreader,
};
constexpr std::array<bool CleanSettings::*, 4> shownFileRules = {
    &CleanSettings::Oldfile,
    &CleanSettings::Logfile,
    &CleanSettings::Zerofile,
    &CleanSettings::Tempfile,
};

// Lines whose caption names one of these belong on the Clean page, whatever is above them.
constexpr std::array<const char*, 4> cleanPageWords = {"Temporary folder", "Windows", "Firefox",
                                                       "Acdsee"};

// Tested in this order on each line of the upward walk; the first match decides.
struct PageWord {
    const char* word;
    OptionsPage page;
};
constexpr std::array<PageWord, 4> headingWords = {{
    {"Clean ", OptionsPage::Filters},
    {" path:", OptionsPage::Pathes},
    {"Delete ", OptionsPage::Specific},
    {"file", OptionsPage::Filters},
}};

bool contains(const std::string& caption, const char* word) {
    return caption.find(word) != std::string::npos;
}

// Adds one indented line per checked entry; false when there was none.
bool addCheckedLines(RunModel& model, const CheckedPathList& list, LineImage image) {
    bool added = false;
    for (const CheckedPath& entry : list) {
        if (entry.checked) {
            model.addLine(indent + entry.text, image);
            added = true;
        }
    }
    return added;
}

// A heading and its checked entries; the heading goes again when none is checked.
void addListSection(RunModel& model, const std::string& label, const CheckedPathList& list,
                    LineImage image) {
    const size_t heading = model.lines().size();
    model.addLine(label + ":", LineImage::Information);
    if (!addCheckedLines(model, list, image)) {
        model.removeLine(heading);
    }
}

} // namespace

SettingsSummary::SettingsSummary(const CleanSettings& settings, const LanguageTable& language,
                                 RunModel& model, const ProtectedFolders& folders,
                                 TargetSettings targets)
    : settings_(settings), language_(language), model_(model), folders_(folders),
      targets_(std::move(targets)) {}

bool SettingsSummary::searchSkipsFolders() const {
    return std::any_of(settings_.PathList.begin(), settings_.PathList.end(),
                       [this](const CheckedPath& path) {
                           return path.checked && folders_.searchSkipsBelow(path.text);
                       });
}

void SettingsSummary::rebuild() {
    model_.clearLines();
    model_.setHeader(language_.text(Text::NowSettings));

    if (!settings_.Recycle) {
        model_.addLine(indent + language_.text(Text::DeletePermanently), LineImage::Warning);
    }
    if (settings_.Agelimit) {
        model_.addLine(indent + ageLimitText(settings_, language_), LineImage::Information);
    }

    fileTypesText_ = settings_.Ext;
    fileNamesText_ = settings_.FilesName;
    if (!fileTypesText_.empty()) {
        model_.addLine(language_.text(Text::CleanFileTypes) + ": " + fileTypesText_,
                       LineImage::Warning);
    }
    if (!fileNamesText_.empty()) {
        model_.addLine(language_.text(Text::CleanFiles) + ": " + fileNamesText_,
                       LineImage::Warning);
    }

    const size_t searchHeading = model_.lines().size();
    std::string searchCaption = language_.text(Text::SearchPath) + ": ";
    model_.addLine(searchCaption, LineImage::Information);
    if (!addCheckedLines(model_, settings_.PathList, LineImage::Warning)) {
        model_.setLineCaption(searchHeading, searchCaption + " " + language_.text(Text::None));
    }
    if (searchSkipsFolders()) {
        model_.addLine(indent + language_.text(Text::FoldersNotSearched), LineImage::Note);
    }

    addListSection(model_, language_.text(Text::ExcludePath), settings_.PathexList,
                   LineImage::Note);
    addListSection(model_, language_.text(Text::DeleteFolders), settings_.FolderList,
                   LineImage::Warning);
    addListSection(model_, language_.text(Text::DeleteFiles), settings_.FileList,
                   LineImage::Warning);

    model_.addLine(language_.text(Text::OtherFoldersOrFiles) + ":", LineImage::Information);
    auto addOptionLines = [this](const auto& options) {
        for (bool CleanSettings::*option : options) {
            if (settings_.*option) {
                model_.addLine(indent + captionOf(option), LineImage::Information);
            }
        }
    };
    addOptionLines(shownLocations);
    addTargetLines(false);
    addOptionLines(shownFileRules);

    const size_t browsersHeading = model_.lines().size();
    model_.addLine(language_.text(Text::BrowsersAndApps) + ":", LineImage::Information);
    const size_t before = model_.lines().size();
    addTargetLines(true);
    if (model_.lines().size() == before) {
        model_.removeLine(browsersHeading);
    }

    shown_ = true;
    model_.setStatusText(0, language_.text(Text::DoubleClickToChange));
    model_.setStatusText(1, "");
    model_.setStatusText(2, "");
}

void SettingsSummary::addTargetLines(bool browsersPage) {
    for (const TargetSetting& target : targets_) {
        if (!isBuiltInFlag(target.flag) && dustbane::onBrowsersPage(target.group) == browsersPage &&
            flagValue(settings_, target.flag)) {
            model_.addLine(indent + target.flag.caption, LineImage::Information);
        }
    }
}

bool SettingsSummary::onBrowsersPage(const std::string& caption) const {
    if (caption == language_.text(Text::BrowsersAndApps) + ":") {
        return true;
    }
    return std::any_of(targets_.begin(), targets_.end(), [&caption](const TargetSetting& target) {
        return dustbane::onBrowsersPage(target.group) && caption == indent + target.flag.caption;
    });
}

std::optional<OptionsPage> SettingsSummary::pageForLine(int selectedLine) const {
    const std::vector<ListLine>& lines = model_.lines();
    if (selectedLine < 0 || size_t(selectedLine) >= lines.size()) {
        return std::nullopt;
    }
    const std::string& selected = lines[size_t(selectedLine)].caption;
    // Its words ("delete", "files") would lead to another page.
    if (settings_.Agelimit && selected == indent + ageLimitText(settings_, language_)) {
        return OptionsPage::General;
    }
    // Before the words below: "Windows temporary folder" or "Firefox (current versions)" would
    // match them.
    if (onBrowsersPage(selected)) {
        return OptionsPage::BrowsersAndApps;
    }
    for (const char* word : cleanPageWords) {
        if (contains(selected, word)) {
            return OptionsPage::Clean;
        }
    }
    for (const TargetSetting& target : targets_) {
        if (!isBuiltInFlag(target.flag) && selected == indent + target.flag.caption) {
            return OptionsPage::Clean;
        }
    }
    for (int line = selectedLine; line >= 0; --line) {
        const std::string& caption = lines[size_t(line)].caption;
        for (const PageWord& heading : headingWords) {
            if (contains(caption, heading.word)) {
                return heading.page;
            }
        }
    }
    return std::nullopt;
}

} // namespace dustbane
