#include "app/win32/console_mode.h"

#include "app/win32/console_output.h"
#include "cli/command_run.h"
#include "platform/win32/command_arguments.h"
#include "platform/win32/win32_platform.h"

#include <exception>
#include <string>
#include <vector>

namespace dustbane::win32 {

std::optional<int> runConsoleMode() {
    const Command command = parseCommandLine(commandArguments());
    if (command.mode == CommandMode::Window) {
        return std::nullopt;
    }
    ConsoleOutput output;
    const LineSink print = [&output](const std::string& line) { output.writeLine(line); };
    try {
        Win32Platform ports;
        return runCommand(command, ports.platform, print);
    } catch (const std::exception& error) {
        // Nobody may be there to close a message box: the error is printed instead.
        print(std::string("Dustbane stopped: ") + error.what());
    } catch (...) {
        print("Dustbane stopped on an unexpected error.");
    }
    return exit_code::unexpectedError;
}

} // namespace dustbane::win32
