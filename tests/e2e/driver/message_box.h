#pragma once

#include "driver/wait.h"

#include <string>
#include <windows.h>

namespace dustbane::e2e {

// Dustbane asks its questions with owner-less task-modal message boxes: "#32770" windows,
// found by caption from any process of the prefix.

// The visible message box with this caption, or nullptr when none shows before the timeout.
HWND waitForMessageBox(const std::string& caption,
                       std::chrono::milliseconds timeout = defaultTimeout);
bool messageBoxShown(const std::string& caption);
std::string messageBoxText(HWND box);

// Waits for the box, clicks the button (IDYES, IDNO, IDOK, ...), waits for the box to go and
// answers its text. Throws when no such box shows, so the test fails with the reason.
std::string answerMessageBox(const std::string& caption, int button,
                             std::chrono::milliseconds timeout = defaultTimeout);

} // namespace dustbane::e2e
