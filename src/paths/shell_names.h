#pragma once

#include <cstddef>
#include <string>

namespace dustbane {

// The longest path, in UTF-16 units, that the shell is handed: MAX_PATH less the terminator.
inline constexpr size_t maxShellPathLength = 259;

// What a path takes in UTF-16 units.
size_t utf16Length(const std::string& text);

// Whether the shell, which takes plain paths, reaches exactly the item this canonical path
// names. A plain path loses a trailing dot or space of each name, turns a device name such as
// "con" or "aux.txt" into the device, and is limited to MAX_PATH: such an item would be
// missed, or another one taken in its place.
bool shellNamesExactly(const std::string& canonical);

} // namespace dustbane
