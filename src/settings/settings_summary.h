#pragma once

#include "paths/protected_folders.h"
#include "platform/run_model.h"
#include "settings/clean_settings.h"
#include "settings/policy.h"
#include "settings/target_setting.h"
#include "text/language_table.h"

#include <optional>
#include <string>

namespace dustbane {

// Pages of the options dialog, by index.
enum class OptionsPage {
    General = 0,
    Filters = 1,
    Pathes = 2,
    Specific = 3,
    Clean = 4,
    BrowsersAndApps = 5,
};

// The outline of the current settings that the main list shows between runs, written into
// the run model.
class SettingsSummary {
  public:
    // The targets whose flags have no field of their own are listed after the built-in
    // locations, in their order; those of the "Browsers and apps" page under a heading of
    // their own after the other locations.
    // Lines the policy sets are marked "Set by your administrator", and entries it forbids say so.
    SettingsSummary(const CleanSettings& settings, const LanguageTable& language, RunModel& model,
                    const ProtectedFolders& folders, TargetSettings targets = {},
                    const Policy* policy = nullptr);

    void rebuild();

    bool shown() const { return shown_; }
    // The clean run clears it when it starts showing results.
    void setShown(bool shown) { shown_ = shown; }

    // Ext and FilesName as copied by the last rebuild; the run's confirmation shows them.
    const std::string& fileTypesText() const { return fileTypesText_; }
    const std::string& fileNamesText() const { return fileNamesText_; }

    // Whether a checked search path holds folders the scan passes by (program state).
    bool searchSkipsFolders() const;

    // The page Modify opens for the selected line; nullopt keeps the page shown last.
    std::optional<OptionsPage> pageForLine(int selectedLine) const;

  private:
    // The enabled targets of one side of the Clean and "Browsers and apps" pages, one line each.
    void addTargetLines(bool browsersPage);
    // Whether the line is the "Browsers and apps" heading or one of its targets.
    bool onBrowsersPage(const std::string& caption) const;
    // "" or the mark after a line the policy sets.
    std::string lockMark(const std::string& settingName) const;
    // One indented line per checked entry; false when there was none.
    bool addCheckedLines(const CheckedPathList& list, LineImage image);
    // A heading, marked when the policy sets the list, and its checked entries; the heading
    // goes again when none is checked.
    void addListSection(const std::string& label, const CheckedPathList& list, LineImage image,
                        const std::string& settingName = "");

    const CleanSettings& settings_;
    const LanguageTable& language_;
    RunModel& model_;
    const ProtectedFolders& folders_;
    TargetSettings targets_;
    const Policy* policy_;
    bool shown_ = false;
    std::string fileTypesText_;
    std::string fileNamesText_;
};

} // namespace dustbane
