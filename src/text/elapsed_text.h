#pragma once

#include <cstdint>
#include <string>

namespace dustbane {

// Status panel 2's elapsed time: "Past: 42s", "Past: 2m 5s", "Past: 1h 5m", where "Past" is
// the language table's word.
std::string elapsedText(const std::string& pastWord, int32_t seconds);

} // namespace dustbane
