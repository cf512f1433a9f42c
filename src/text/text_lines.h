#pragma once

#include <string>
#include <vector>

namespace dustbane {

// Splits 8-bit text files the way Windows editors write them: at CR LF, a lone CR or a
// lone LF. A last line without a line end still counts.
std::vector<std::string> splitLines(const std::string& text);

} // namespace dustbane
