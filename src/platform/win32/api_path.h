#pragma once

#include <string>

namespace dustbane::win32 {

// The wide form of a path to hand to the file API: absolute, with backslashes only and the
// "\\?\" (or "\\?\UNC\") prefix. Relative paths and paths with "." or ".." components are
// made absolute first; a trailing backslash is dropped except on a root. A bare drive ("C:")
// names its root.
std::wstring apiPath(const std::string& path);

} // namespace dustbane::win32
