#pragma once

#include "fakes/fake_file_system.h"
#include "fakes/fake_prompter.h"
#include "fakes/fake_registry.h"
#include "fakes/fake_shell.h"
#include "fakes/fake_system.h"
#include "fakes/fake_task_scheduler.h"
#include "fakes/recording_window.h"
#include "platform/platform.h"

namespace dustbane::testing {

// Every port faked, bundled as the logic expects them.
struct FakePlatform {
    FakeFileSystem files;
    FakeRegistry registry;
    FakeShell shell{files};
    FakeSystem system;
    FakePrompter prompter;
    FakeTaskScheduler scheduler;
    RecordingWindow window;
    Platform platform{files, registry, shell, system, prompter, scheduler};
};

} // namespace dustbane::testing
