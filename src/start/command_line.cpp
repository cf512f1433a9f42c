#include "start/command_line.h"

namespace dustbane {

namespace {

bool isSwitch(const std::string& argument) {
    return !argument.empty() && (argument.front() == '/' || argument.front() == '-');
}

std::string asciiLower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

Command usageError(const std::string& error) {
    return {CommandMode::UsageError, false, error};
}

} // namespace

Command parseCommandLine(const std::vector<std::string>& arguments) {
    if (arguments.empty() || !isSwitch(arguments.front())) {
        return {};
    }
    bool preview = false;
    bool clean = false;
    bool emptyBins = false;
    bool usage = false;
    bool json = false;
    bool unschedule = false;
    for (const std::string& argument : arguments) {
        if (!isSwitch(argument)) {
            return usageError("Unexpected argument: " + argument);
        }
        const std::string name = asciiLower(argument.substr(1));
        if (name == "preview") {
            preview = true;
        } else if (name == "clean") {
            clean = true;
        } else if (name == "emptybin") {
            emptyBins = true;
        } else if (name == "json") {
            json = true;
        } else if (name == "unschedule") {
            unschedule = true;
        } else if (name == "?") {
            usage = true;
        } else {
            return usageError("Unknown switch: " + argument);
        }
    }
    if (usage) {
        return {CommandMode::Usage, false, {}};
    }
    if (unschedule) {
        if (preview || clean || emptyBins || json) {
            return usageError("/unschedule goes alone.");
        }
        return {CommandMode::Unschedule, false, {}};
    }
    if (preview && clean) {
        return usageError("/preview and /clean cannot be combined.");
    }
    if (emptyBins && !clean) {
        return usageError("/emptybin goes with /clean only.");
    }
    if (json && !preview && !clean) {
        return usageError("/json goes with /preview or /clean only.");
    }
    if (preview) {
        return {CommandMode::Preview, false, {}, json};
    }
    return {CommandMode::Clean, emptyBins, {}, json};
}

std::vector<std::string> usageLines() {
    return {
        "Usage: Dustbane.exe [/preview [/json] | /clean [/emptybin] [/json] | /unschedule |",
        "                     /? | folder]",
        "",
        "  /preview   List what a clean run with the stored settings would delete, with",
        "             sizes in bytes. Nothing is deleted or changed.",
        "  /clean     Run a clean run with the stored settings without the window and",
        "             without questions, and print its result lines.",
        "  /emptybin  With /clean: empty the Recycle Bins afterwards.",
        "  /json      With /preview or /clean: print one JSON document instead of the",
        "             lines: the settings in force, what each target, folder, file list",
        "             and search rule deleted, moved to the Recycle Bin or kept, and why.",
        "  /unschedule",
        "             Remove your scheduled clean (set in the options) and turn it off.",
        "  /?         Show this text.",
        "  folder     Open the window and offer the folder as a search path.",
        "",
        "Switches may start with / or - and are not case-sensitive.",
        "Exit codes: 0 everything selected was deleted (or would be); 1 some items stayed",
        "(in use, access denied) or the log could not be written; 2 usage error, or /clean",
        "without saved settings (nothing was touched); 3 unexpected error.",
    };
}

} // namespace dustbane
