#pragma once

#include <string>
#include <vector>

namespace dustbane::win32 {

// The program's arguments after its own name, split by the system's rules (CommandLineToArgvW).
std::vector<std::string> commandArguments();

} // namespace dustbane::win32
