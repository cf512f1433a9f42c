#include "targets/windows_locations.h"

#include "engine/run_status.h"
#include "targets/stage_frame.h"

namespace dustbane {

WindowsFolder windowsFolderOf(const Shell& shell) {
    const std::string returned = canonicalOrEmpty(shell.windowsDirectory());
    if (returned.empty()) {
        return {};
    }
    const std::string dir = withBackslash(returned);
    return {dir, dir.substr(0, 3)};
}

} // namespace dustbane
