#pragma once

#include "platform/file_system.h"
#include "platform/prompter.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/system.h"
#include "platform/task_scheduler.h"

namespace dustbane {

// The ports bundled, passed down from the program entry (or a test) to the logic.
struct Platform {
    FileSystem& files;
    Registry& registry;
    Shell& shell;
    System& system;
    Prompter& prompter;
    TaskScheduler& scheduler;
};

} // namespace dustbane
