#include "start/command_line.h"

#include <cstdint>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>
#include <string>
#include <vector>

using namespace dustbane;

namespace {

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

bool isSwitch(const std::string& argument) {
    return !argument.empty() && (argument[0] == '/' || argument[0] == '-');
}

std::string flipped(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        } else if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

// The switch's name in lower case, without its prefix.
std::string switchName(const std::string& argument) {
    std::string name = argument.substr(1);
    for (char& c : name) {
        c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return name;
}

} // namespace

// Any list of arguments: the window runs exactly when the first is no switch, a command that
// deletes needs /clean and nothing else but /emptybin and /json, /json asks only a preview or
// a clean for its document, /unschedule goes alone, letter case
// and the prefix change nothing, and every refusal says why.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    std::vector<std::string> arguments;
    while (input.remaining_bytes() > 0 && arguments.size() < 8) {
        arguments.push_back(input.ConsumeRandomLengthString(24));
    }
    const Command command = parseCommandLine(arguments);

    check((command.mode == CommandMode::Window) ==
          (arguments.empty() || !isSwitch(arguments.front())));
    check(!command.emptyBins || command.mode == CommandMode::Clean);
    check(!command.json || command.mode == CommandMode::Clean ||
          command.mode == CommandMode::Preview);
    check((command.mode == CommandMode::UsageError) == !command.error.empty());
    if (command.mode == CommandMode::Unschedule) {
        for (const std::string& argument : arguments) {
            check(switchName(argument) == "unschedule");
        }
    }
    if (command.mode == CommandMode::Clean || command.mode == CommandMode::Preview) {
        const std::string wanted = command.mode == CommandMode::Clean ? "clean" : "preview";
        bool named = false;
        for (const std::string& argument : arguments) {
            const std::string name = switchName(argument);
            check(name == "clean" || name == "preview" || name == "emptybin" || name == "json");
            named = named || name == wanted;
        }
        check(named);
    }

    std::vector<std::string> other;
    for (const std::string& argument : arguments) {
        std::string changed = flipped(argument);
        if (isSwitch(changed)) {
            changed[0] = changed[0] == '/' ? '-' : '/';
        }
        other.push_back(changed);
    }
    const Command same = parseCommandLine(other);
    check(same.mode == command.mode && same.emptyBins == command.emptyBins &&
          same.json == command.json);
    return 0;
}
