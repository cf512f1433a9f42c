#pragma once

namespace dustbane {

// The entries of the language table, one name each. The number is the entry's line in a
// language file, which the files already shipped and translated depend on: an entry never
// moves, and a new one goes at the end.
enum class Text : int {
    Caption = 0,
    CleanCaption = 1,
    CleanHint = 2,
    StopCaption = 3,
    StopHint = 4,
    OptionsCaption = 5,
    OptionsHint = 6,
    HelpCaption = 7,
    HelpHint = 8,
    LogCaption = 9,
    LogHint = 10,
    Reserved11 = 11,
    Reserved12 = 12,
    AboutCaption = 13,
    AboutHint = 14,
    ExitCaption = 15,
    ExitHint = 16,
    Cleaning = 17,
    Deleted = 18,
    EmptyFolder = 19,
    ZeroByte = 20,
    Searching = 21,
    NowSettings = 22,
    DeletePermanently = 23,
    CleanFileTypes = 24,
    CleanFiles = 25,
    SearchPath = 26,
    None = 27,
    ExcludePath = 28,
    DeleteFolders = 29,
    DeleteFiles = 30,
    OtherFoldersOrFiles = 31,
    DoubleClickToChange = 32,
    Reserved33 = 33,
    NoLogFile = 34,
    Past = 35,
    NoHelpFile = 36,
    WantToAdd = 37,
    ToSearchPath = 38,
    ConfirmDeletePermanently = 39,
    ConfirmFileTypes = 40,
    ConfirmFileNames = 41,
    ConfirmSearchPath = 42,
    ConfirmSearchPathNone = 43,
    CleanDefinitionsAre = 44,
    MakeSureOfDefinitions = 45,
    CleanResults = 46,
    CleanTemporaryFolder = 47,
    Began = 48,
    Finished = 49,
    CleanInternetCache = 50,
    SuccessfullyCleaned = 51,
    NotCleanedAllFilesOf = 52,
    NotCleaned = 53,
    BeganSearch = 54,
    UserStopped = 55,
    CleanFinished = 56,
    ItemsCleaned = 57,
    CleanStopped = 58,
    CleanedOver = 59,
    ItemsDeleted = 60,
    EmptyRecycleBinsNow = 61,
    RecycleBinsEmptied = 62,
    StopCleanQuestion = 63,
    ProtectedFolderNotCleaned = 64,
    RecycleBinCannotTakeName = 65,
    FoldersNotSearched = 66,
    Skipped = 67,
    IsRunning = 68,
    NeedsAdministratorRights = 69,
    BrowsersAndApps = 70,
    // "<AgeLimitBefore> 24 <AgeLimitAfter>" names the age limit in the summary and the
    // confirmation.
    AgeLimitBefore = 71,
    AgeLimitAfter = 72,
};

inline constexpr int textCount = static_cast<int>(Text::AgeLimitAfter) + 1;

// Lines every language file leaves empty; nothing shows them.
constexpr bool isReserved(Text entry) {
    return entry == Text::Reserved11 || entry == Text::Reserved12 || entry == Text::Reserved33;
}

} // namespace dustbane
