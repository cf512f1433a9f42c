#pragma once

#include <optional>
#include <string>

namespace dustbane {

// The one form a path takes from where it enters Dustbane (a registry list or value, the
// options dialog, the command line, an enumeration) to the call that deletes it: absolute
// (a drive, or \\server\share), backslashes only, no "." or ".." and no doubled separators.
// Every other character stays, a trailing dot or space too, since the file system is handed
// the path verbatim and must reach the item that was checked. A bare drive ("C:") stays as
// it is and means the drive's root; a trailing backslash stays too. nullopt for anything
// that does not name one item for certain: a relative or drive-relative path, a device path,
// a character no file name may hold.
std::optional<std::string> canonicalPath(const std::string& text);

// A canonical path for comparisons: case-folded, ending in a backslash exactly when it is a
// root ("c:\", "\\server\share\").
using PathKey = std::u32string;
PathKey pathKey(const std::string& canonical);
bool isRootKey(const PathKey& key);
// The folder holding the item; empty for a root.
PathKey parentKey(const PathKey& key);
// Whether key lies strictly below folder.
bool isBelowKey(const PathKey& key, const PathKey& folder);

} // namespace dustbane
