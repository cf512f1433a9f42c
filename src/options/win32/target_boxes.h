#pragma once

#include "settings/target_setting.h"

#include <windows.h>

namespace dustbane::win32 {

// Makes the targets' check boxes on the Clean page, IDX_FIRST_TARGET + index each, in their
// group boxes by row, and sizes and stacks the two group boxes to hold them.
void createTargetBoxes(HWND page, HINSTANCE instance, const TargetSettings& targets);

} // namespace dustbane::win32
