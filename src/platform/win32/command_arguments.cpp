#include "platform/win32/command_arguments.h"

#include "platform/win32/text.h"

#include <windows.h>
// After <windows.h>, which it needs.
#include <shellapi.h>

namespace dustbane::win32 {

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

} // namespace dustbane::win32
