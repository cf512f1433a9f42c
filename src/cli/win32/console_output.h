#pragma once

#include "platform/win32/handles.h"

#include <string>

namespace dustbane::win32 {

// Where a run from the command line prints, though Dustbane.exe is a windowed program:
// the standard output it inherited when that is redirected to a file or pipe, else the
// console of the program that started it (cmd, PowerShell), else nowhere.
class ConsoleOutput {
  public:
    ConsoleOutput();

    // One line, UTF-8, without its line end.
    void writeLine(const std::string& line);

  private:
    HANDLE handle_ = nullptr;
    // The console's output buffer, when this process opened it itself.
    UniqueFile console_;
    bool isConsole_ = false;
};

} // namespace dustbane::win32
