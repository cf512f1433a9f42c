#pragma once

#include "settings/clean_settings.h"

#include <vector>

namespace dustbane {

// The two group boxes of the options dialog's Clean page.
enum class TargetGroup { Windows, Applications };

// What the settings know of one cleaning target: the flag that enables it and where its check
// box sits on the Clean page.
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
