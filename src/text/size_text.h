#pragma once

#include "platform/number_format.h"

#include <cstdint>
#include <string>

namespace dustbane {

// A size as Explorer shows it: "1 byte", "1,023 bytes", "12.4 MB", "0.97 MB", in binary units
// with three significant digits, cut off rather than rounded.
std::string sizeText(uint64_t bytes, const NumberFormat& format);

// A count with its digits grouped by threes: "3,412", "1.234.567".
std::string countText(uint64_t count, const NumberFormat& format);

} // namespace dustbane
