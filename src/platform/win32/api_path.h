#pragma once

#include <string>

namespace dustbane::win32 {

// The wide form of a path to hand to the file API: absolute, with backslashes only and the
// "\\?\" (or "\\?\UNC\") prefix, in the canonical form (canonical_path.h); a relative path
// starts from the current folder. A trailing backslash is dropped except on a root, and a bare
// drive ("C:") names its root. Empty for a path that names no item for certain.
std::wstring apiPath(const std::string& path);

} // namespace dustbane::win32
