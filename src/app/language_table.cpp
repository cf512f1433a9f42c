#include "app/language_table.h"

#include "app/text_lines.h"

namespace dustbane {

namespace {

const std::array<const char*, LanguageTable::size> builtInTexts = {
    "Dustbane",
    "Clean",
    "Begin clean",
    "Stop",
    "Stop clean",
    "Options",
    "Change settings",
    "Help",
    "Get help",
    "Log",
    "Open the log",
    "",
    "",
    "About",
    "About the program",
    "Exit",
    "Exit the program",
    "Cleaning",
    "Deleted",
    "Empty folder",
    "0 byte",
    "Searching",
    "Now Settings",
    "Delete permanently(can not be restored!)",
    "Clean file types",
    "Clean files",
    "Search path",
    "NONE",
    "Exclude path",
    "Delete folders",
    "Delete files",
    "Other folders or files to clean",
    "Double click setting to change",
    "",
    "No Log file",
    "Past",
    "No help file",
    "Do you want to add",
    "to search path?",
    "Delete permanently (can not be restored!)",
    "File types",
    "File names",
    "Search path",
    "Search path: NONE.",
    "Your clean definitions are",
    "Do you make sure the above definitions?",
    "Clean Results",
    "Clean Temporary Folder",
    "Began",
    "Finished",
    "Clean IE Internet Temporary Folder",
    "Successfully Clean",
    "Not clean all files of",
    "Not clean",
    "Began Search",
    "User stopped:",
    "Clean finished:",
    "files or folders had been cleaned.",
    "Clean stopped.",
    "Cleaned over.",
    "files or folders had been deleted.",
    "Do you empty Recycle bins now?",
    "Finished clear all recycle bins",
    "Do you want to stop clean?",
    "Protected folder, not cleaned:",
    "Kept, the Recycle Bin cannot take this name:",
    "Program, system and AppData folders are not searched",
};

} // namespace

LanguageTable::LanguageTable() : entries_(builtInTexts.begin(), builtInTexts.end()) {}

const std::array<const char*, LanguageTable::size>& LanguageTable::builtIn() {
    return builtInTexts;
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

const std::string& LanguageTable::text(int index) const {
    static const std::vector<std::string> fallback(builtInTexts.begin(), builtInTexts.end());
    if (index < 0 || index >= size) {
        static const std::string none;
        return none;
    }
    return static_cast<size_t>(index) < entries_.size() ? entries_[index] : fallback[index];
}

} // namespace dustbane
