#pragma once

#include "settings/clean_settings.h"

#include <vector>

namespace dustbane {

// The group boxes that hold the targets' check boxes: two on the options dialog's Clean page,
// the rest on its "Browsers and apps" page.
enum class TargetGroup {
    Windows,
    Applications,
    Browsers,
    Programs,
    ShaderCaches,
    // Folders of the system, cleaned only when this program runs elevated.
    Administrator,
};

// Whether the group's boxes are on the "Browsers and apps" page.
constexpr bool onBrowsersPage(TargetGroup group) {
    return group != TargetGroup::Windows && group != TargetGroup::Applications;
}

// What the settings know of one cleaning target: the flag that enables it and where its check
// box sits.
struct TargetSetting {
    FlagSetting flag;
    TargetGroup group;
    // The box's line within its group, counted from 0.
    int row;
    // The box's tool tip; nullptr for none.
    const char* hint = nullptr;
};

// In the order the targets run.
using TargetSettings = std::vector<TargetSetting>;

} // namespace dustbane
