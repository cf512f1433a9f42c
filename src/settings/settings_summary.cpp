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

} // namespace

SettingsSummary::SettingsSummary(const CleanSettings& settings, const LanguageTable& language,
                                 RunModel& model, const ProtectedFolders& folders,
                                 TargetSettings targets, const Policy* policy)
    : settings_(settings), language_(language), model_(model), folders_(folders),
      targets_(std::move(targets)), policy_(policy) {}

std::string SettingsSummary::lockMark(const std::string& settingName) const {
    return policy_ && !settingName.empty() && policy_->locks(settingName)
               ? "  (" + language_.text(Text::SetByAdministrator) + ")"
               : std::string();
}

bool SettingsSummary::addCheckedLines(const CheckedPathList& list, LineImage image) {
    bool added = false;
    for (const CheckedPath& entry : list) {
        if (!entry.checked) {
            continue;
        }
        const std::optional<std::string> canonical = canonicalPath(entry.text);
        if (policy_ && canonical && policy_->forbidsListed(*canonical)) {
            model_.addLine(indent + language_.text(Text::ForbiddenByAdministrator) + " " +
                               entry.text,
                           LineImage::Warning);
        } else {
            model_.addLine(indent + entry.text, image);
        }
        added = true;
    }
    return added;
}

void SettingsSummary::addListSection(const std::string& label, const CheckedPathList& list,
                                     LineImage image, const std::string& settingName) {
    const size_t heading = model_.lines().size();
    model_.addLine(label + ":" + lockMark(settingName), LineImage::Information);
    if (!addCheckedLines(list, image)) {
        model_.removeLine(heading);
    }
}

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
        model_.addLine(indent + language_.text(Text::DeletePermanently) + lockMark("Recycle"),
                       LineImage::Warning);
    }
    if (settings_.Agelimit) {
        model_.addLine(indent + ageLimitText(settings_, language_) + lockMark("Agelimit"),
                       LineImage::Information);
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
    model_.addLine(searchCaption + lockMark("PathList"), LineImage::Information);
    if (!addCheckedLines(settings_.PathList, LineImage::Warning)) {
        model_.setLineCaption(searchHeading, searchCaption + " " + language_.text(Text::None) +
                                                 lockMark("PathList"));
    }
    if (searchSkipsFolders()) {
        model_.addLine(indent + language_.text(Text::FoldersNotSearched), LineImage::Note);
    }

    addListSection(language_.text(Text::ExcludePath), settings_.PathexList, LineImage::Note);
    addListSection(language_.text(Text::DeleteFolders), settings_.FolderList, LineImage::Warning,
                   "FolderList");
    addListSection(language_.text(Text::DeleteFiles), settings_.FileList, LineImage::Warning);

    model_.addLine(language_.text(Text::OtherFoldersOrFiles) + ":", LineImage::Information);
    auto addOptionLines = [this](const auto& options) {
        for (bool CleanSettings::*option : options) {
            if (settings_.*option) {
                model_.addLine(indent + captionOf(option) + lockMark(builtInFlag(option).name),
                               LineImage::Information);
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
            model_.addLine(indent + target.flag.caption + lockMark(target.flag.name),
                           LineImage::Information);
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
    std::string selected = lines[size_t(selectedLine)].caption;
    const std::string mark = "  (" + language_.text(Text::SetByAdministrator) + ")";
    if (selected.size() > mark.size() && selected.ends_with(mark)) {
        selected.resize(selected.size() - mark.size());
    }
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
