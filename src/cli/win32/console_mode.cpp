#include "cli/win32/console_mode.h"

#include "cli/command_run.h"
#include "cli/win32/console_output.h"
#include "platform/win32/command_arguments.h"
#include "platform/win32/win32_platform.h"

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
    return runPrintingErrors(
        [&] {
            Win32Platform ports;
            return runCommand(command, ports.platform, print);
        },
        print);
}

} // namespace dustbane::win32
