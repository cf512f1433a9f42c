#pragma once

#include <cstdint>
#include <string>

namespace dustbane::e2e {

// Texts the program writes from numbers, as a test expects them in English.

// Bytes in binary units with three significant digits, cut off and never rounded: "386 bytes",
// "1,023 bytes", "812 KB", "1.50 MB"; a size of 1,000 units or more reads as a fraction of the
// next unit.
std::string sizeText(uint64_t bytes);

// The line after a clean's final line: "Freed 3.64 KB for good, 0 bytes to the Recycle Bin;
// 1 items stayed".
std::string freedLine(uint64_t permanentBytes, uint64_t recycledBytes, uint64_t stayed);

} // namespace dustbane::e2e
