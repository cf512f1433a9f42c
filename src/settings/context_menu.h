#pragma once

#include "platform/registry.h"

#include <string>

namespace dustbane {

// The "Run Dustbane" verb on the Explorer menu of drives and folders, registered for the
// current user under Software\Classes.
inline constexpr const char* verbName = "Run Dustbane";

// "<installDir>Dustbane.exe" "%1": quoted, so that an installation folder or a clicked
// folder with blanks in it reaches the program whole.
std::string contextMenuCommand(const std::string& installDir);

// Writes both verbs when enabled, else removes them (and a registration an older version
// made directly under HKEY_CLASSES_ROOT). Returns "" on success, else what failed, in plain
// words; absent keys are no failure.
std::string syncContextMenu(Registry& registry, bool enabled, const std::string& installDir);

} // namespace dustbane
