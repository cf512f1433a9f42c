#include "app/win32/console_mode.h"

#include "app/win32/console_output.h"
#include "cli/command_run.h"
#include "platform/win32/text.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_prompter.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_system.h"

#include <exception>
#include <string>
#include <vector>
#include <windows.h>
// After <windows.h>, which it needs.
#include <shellapi.h>

namespace dustbane::win32 {

namespace {

// The arguments after the program name, split as the window splits its folder argument.
std::vector<std::string> commandArguments() {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> result;
    if (!arguments) {
        return result;
    }
    for (int i = 1; i < count; ++i) {
        result.push_back(narrow(arguments[i]));
    }
    LocalFree(arguments);
    return result;
}

} // namespace

std::optional<int> runConsoleMode() {
    const Command command = parseCommandLine(commandArguments());
    if (command.mode == CommandMode::Window) {
        return std::nullopt;
    }
    ConsoleOutput output;
    const LineSink print = [&output](const std::string& line) { output.writeLine(line); };
    try {
        Win32FileSystem files;
        Win32Registry registry;
        Win32Shell shell;
        Win32System system;
        Win32Prompter prompter;
        Platform platform{files, registry, shell, system, prompter};
        return runCommand(command, platform, print);
    } catch (const std::exception& error) {
        // Nobody may be there to close a message box: the error is printed instead.
        print(std::string("Dustbane stopped: ") + error.what());
    } catch (...) {
        print("Dustbane stopped on an unexpected error.");
    }
    return exit_code::itemsStayed;
}

} // namespace dustbane::win32
