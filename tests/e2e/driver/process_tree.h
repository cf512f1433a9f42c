#pragma once

#include "platform/win32/handles.h"

#include <string>
#include <windows.h>

namespace dustbane::e2e {

using win32::UniqueKernelHandle;

// A started command line with every process it starts in turn: an uninstaller that hands its
// work to a copy of itself and ends at once, or msiexec and the custom actions it runs.
// Whatever still runs when it goes out of scope is terminated.
class ProcessTree {
  public:
    explicit ProcessTree(const std::string& commandLine);
    ~ProcessTree();
    ProcessTree(const ProcessTree&) = delete;
    ProcessTree& operator=(const ProcessTree&) = delete;

    // The exit code of the first process, once all of them have ended.
    DWORD wait() const;

  private:
    std::string commandLine_;
    UniqueKernelHandle job_;
    UniqueKernelHandle process_;
};

// Runs the command line to the end of every process it started; its exit code.
DWORD run(const std::string& commandLine);

std::string quoted(const std::string& path);

} // namespace dustbane::e2e
