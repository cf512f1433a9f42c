#pragma once

#include "settings/target_setting.h"

#include <windows.h>

namespace dustbane::win32 {

// The pages that hold the targets' check boxes.
enum class BoxPage { Clean, BrowsersAndApps };

// Makes the check boxes of the targets whose group is on the page, IDX_FIRST_TARGET + index
// each, in their group boxes by row, and sizes and stacks the group boxes to hold them. When
// this program does not run elevated, the administrator group's boxes are disabled and a line
// beside them says why; their ticks stay as stored.
void createTargetBoxes(HWND page, HINSTANCE instance, const TargetSettings& targets, BoxPage on,
                       bool elevated);

} // namespace dustbane::win32
