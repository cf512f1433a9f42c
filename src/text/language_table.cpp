#include "text/language_table.h"

#include "text/text_lines.h"

#include <iterator>

namespace dustbane {

namespace {

// Each text beside the name it goes by, so that a text put on the wrong line fails to build
// instead of showing under another entry's name.
struct EnglishText {
    Text entry;
    const char* text;
};

constexpr EnglishText englishTexts[] = {
    {Text::Caption, "Dustbane"},
    {Text::CleanCaption, "Clean"},
    {Text::CleanHint, "Begin clean"},
    {Text::StopCaption, "Stop"},
    {Text::StopHint, "Stop clean"},
    {Text::OptionsCaption, "Options"},
    {Text::OptionsHint, "Change settings"},
    {Text::HelpCaption, "Help"},
    {Text::HelpHint, "Get help"},
    {Text::LogCaption, "Log"},
    {Text::LogHint, "Open the log"},
    {Text::Reserved11, ""},
    {Text::Reserved12, ""},
    {Text::AboutCaption, "About"},
    {Text::AboutHint, "About the program"},
    {Text::ExitCaption, "Exit"},
    {Text::ExitHint, "Exit the program"},
    {Text::Cleaning, "Cleaning"},
    {Text::Deleted, "Deleted"},
    {Text::EmptyFolder, "Empty folder"},
    {Text::ZeroByte, "0 byte"},
    {Text::Searching, "Searching"},
    {Text::NowSettings, "Now Settings"},
    {Text::DeletePermanently, "Delete permanently(can not be restored!)"},
    {Text::CleanFileTypes, "Clean file types"},
    {Text::CleanFiles, "Clean files"},
    {Text::SearchPath, "Search path"},
    {Text::None, "NONE"},
    {Text::ExcludePath, "Exclude path"},
    {Text::DeleteFolders, "Delete folders"},
    {Text::DeleteFiles, "Delete files"},
    {Text::OtherFoldersOrFiles, "Other folders or files to clean"},
    {Text::DoubleClickToChange, "Double click setting to change"},
    {Text::Reserved33, ""},
    {Text::NoLogFile, "No Log file"},
    {Text::Past, "Past"},
    {Text::NoHelpFile, "No help file"},
    {Text::WantToAdd, "Do you want to add"},
    {Text::ToSearchPath, "to search path?"},
    {Text::ConfirmDeletePermanently, "Delete permanently (can not be restored!)"},
    {Text::ConfirmFileTypes, "File types"},
    {Text::ConfirmFileNames, "File names"},
    {Text::ConfirmSearchPath, "Search path"},
    {Text::ConfirmSearchPathNone, "Search path: NONE."},
    {Text::CleanDefinitionsAre, "Your clean definitions are"},
    {Text::MakeSureOfDefinitions, "Do you make sure the above definitions?"},
    {Text::CleanResults, "Clean Results"},
    {Text::CleanTemporaryFolder, "Clean Temporary Folder"},
    {Text::Began, "Began"},
    {Text::Finished, "Finished"},
    {Text::CleanInternetCache, "Clean IE Internet Temporary Folder"},
    {Text::SuccessfullyCleaned, "Successfully Clean"},
    {Text::NotCleanedAllFilesOf, "Not clean all files of"},
    {Text::NotCleaned, "Not clean"},
    {Text::BeganSearch, "Began Search"},
    {Text::UserStopped, "User stopped:"},
    {Text::CleanFinished, "Clean finished:"},
    {Text::ItemsCleaned, "files or folders had been cleaned."},
    {Text::CleanStopped, "Clean stopped."},
    {Text::CleanedOver, "Cleaned over."},
    {Text::ItemsDeleted, "files or folders had been deleted."},
    {Text::EmptyRecycleBinsNow, "Do you empty Recycle bins now?"},
    {Text::RecycleBinsEmptied, "Finished clear all recycle bins"},
    {Text::StopCleanQuestion, "Do you want to stop clean?"},
    {Text::ProtectedFolderNotCleaned, "Protected folder, not cleaned:"},
    {Text::RecycleBinCannotTakeName, "Kept, the Recycle Bin cannot take this name:"},
    {Text::FoldersNotSearched, "Program, system and AppData folders are not searched"},
    {Text::Skipped, "skipped:"},
    {Text::IsRunning, "is running"},
    {Text::NeedsAdministratorRights, "needs administrator rights"},
    {Text::BrowsersAndApps, "Browsers and apps"},
    {Text::AgeLimitBefore, "Only delete files older than"},
    {Text::AgeLimitAfter, "hours"},
    {Text::AnalyzeCaption, "Analyze"},
    {Text::AnalyzeHint, "See what a clean would free"},
    {Text::StopAnalysisHint, "Stop analysis"},
    {Text::StopAnalysisQuestion, "Do you want to stop the analysis?"},
    {Text::AnalysisResults, "Analysis"},
    {Text::Analyzing, "Analyzing"},
    {Text::AnalysisFinished, "Analysis finished."},
    {Text::AnalysisStopped, "Analysis stopped."},
    {Text::WouldFree, "Would free %1 in %2 items"},
    {Text::GroupSize, "%1 items, %2"},
    {Text::MoreItems, "%1 more items, not listed"},
    {Text::EmptyFolders, "Empty folders"},
    {Text::RuleThumbsDb, "Thumbs.db files"},
    {Text::RuleTildeName, "Files whose names begin with ~"},
    {Text::RuleZeroSize, "Empty files"},
    {Text::RuleListedName, "Files with the listed names"},
    {Text::RuleTildeExtension, "Files whose extensions begin with ~"},
    {Text::RuleOldExtension, "Files ending .tmp, .old or .bak"},
    {Text::RuleLogExtension, "Files ending .log"},
    {Text::RuleListedExtension, "Files of the listed types"},
    {Text::Freed, "Freed %1 for good, %2 to the Recycle Bin; %3 items stayed"},
    {Text::RecycleBinsHold, "The Recycle Bins hold %1."},
    {Text::Found, "Found"},
    {Text::PolicyValueIgnored, "Policy value of the wrong type or out of range, ignored:"},
    {Text::ForbiddenByAdministrator, "Not cleaned, your administrator forbids this path:"},
    {Text::SetByAdministrator, "Set by your administrator"},
    {Text::ScheduleGroup, "Scheduled clean"},
    {Text::ScheduleOff, "Off"},
    {Text::ScheduleDaily, "Daily"},
    {Text::ScheduleWeekly, "Weekly"},
    {Text::ScheduleAt, "at"},
    {Text::Sunday, "Sunday"},
    {Text::Monday, "Monday"},
    {Text::Tuesday, "Tuesday"},
    {Text::Wednesday, "Wednesday"},
    {Text::Thursday, "Thursday"},
    {Text::Friday, "Friday"},
    {Text::Saturday, "Saturday"},
    {Text::ScheduleNote,
     "Runs with these settings and your rights: items that need an administrator are skipped."},
    {Text::ScheduleNotSetUp, "The scheduled clean could not be set up: %1"},
    {Text::ScheduleNotRemoved, "The scheduled clean could not be removed: %1"},
};

static_assert(std::size(englishTexts) == LanguageTable::size);

constexpr bool inEntryOrder() {
    for (size_t i = 0; i < std::size(englishTexts); ++i) {
        if (static_cast<size_t>(englishTexts[i].entry) != i) {
            return false;
        }
    }
    return true;
}
static_assert(inEntryOrder());

// An empty English text would show as nothing wherever that entry is used.
constexpr bool emptyOnlyWhereReserved() {
    for (const EnglishText& english : englishTexts) {
        if ((english.text[0] == '\0') != isReserved(english.entry)) {
            return false;
        }
    }
    return true;
}
static_assert(emptyOnlyWhereReserved());

constexpr std::array<const char*, LanguageTable::size> builtInTexts = [] {
    std::array<const char*, LanguageTable::size> texts{};
    for (size_t i = 0; i < texts.size(); ++i) {
        texts[i] = englishTexts[i].text;
    }
    return texts;
}();

} // namespace

LanguageTable::LanguageTable() : entries_(builtInTexts.begin(), builtInTexts.end()) {}

const std::array<const char*, LanguageTable::size>& LanguageTable::builtIn() {
    return builtInTexts;
}

const char* LanguageTable::builtIn(Text entry) {
    return builtInTexts[static_cast<size_t>(entry)];
}

std::string LanguageTable::codeFor(uint16_t languageId) {
    switch (languageId) {
    case 0x0804:
        return "cn";
    case 0x0404:
        return "ct";
    case 0x0407:
        return "de";
    case 0x040C:
        return "fr";
    default:
        return "en";
    }
}

void LanguageTable::load(const FileSystem& files, const System& system,
                         const std::string& installDir) {
    std::string path = installDir + "lang\\" + codeFor(system.systemDefaultLanguageId()) + ".ini";
    if (files.fileExists(path)) {
        if (auto bytes = files.readFile(path)) {
            loadText(system.fromAnsi(*bytes));
            return;
        }
    }
    entries_.assign(builtInTexts.begin(), builtInTexts.end());
}

void LanguageTable::loadText(const std::string& text) {
    // A NUL byte ends the text.
    entries_ = splitLines(text.substr(0, text.find('\0')));
}

void LanguageTable::setText(Text entry, std::string text) {
    const auto index = static_cast<size_t>(entry);
    // A file shorter than the table leaves the entries after it to the English texts.
    while (entries_.size() <= index) {
        entries_.emplace_back(builtInTexts[entries_.size()]);
    }
    entries_[index] = std::move(text);
}

const std::string& LanguageTable::text(Text entry) const {
    return text(static_cast<int>(entry));
}

const std::string& LanguageTable::text(int index) const {
    static const std::vector<std::string> fallback(builtInTexts.begin(), builtInTexts.end());
    if (index < 0 || index >= size) {
        static const std::string none;
        return none;
    }
    return static_cast<size_t>(index) < entries_.size() ? entries_[index] : fallback[index];
}

} // namespace dustbane
