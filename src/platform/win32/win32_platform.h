#pragma once

#include "platform/platform.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_prompter.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_system.h"
#include "platform/win32/win32_task_scheduler.h"

namespace dustbane::win32 {

// The real adapters, bundled as the logic takes them. Neither copyable nor movable: the
// bundle refers to its own members.
struct Win32Platform {
    Win32Platform() = default;
    Win32Platform(const Win32Platform&) = delete;
    Win32Platform& operator=(const Win32Platform&) = delete;

    Win32FileSystem files;
    Win32Registry registry;
    Win32Shell shell;
    Win32System system;
    Win32Prompter prompter;
    Win32TaskScheduler scheduler;
    Platform platform{files, registry, shell, system, prompter, scheduler};
};

} // namespace dustbane::win32
