#pragma once

#include <string>
#include <vector>

namespace dustbane::win32 {

// Full paths from the buffer of a multi-select open-file dialog (Explorer style): either one
// full path, or the folder followed by the chosen names, each ended by a NUL, the whole list
// ended by an empty string. Names keep the dialog's order.
std::vector<std::string> selectedFiles(const wchar_t* buffer);

} // namespace dustbane::win32
