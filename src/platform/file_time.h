#pragma once

#include <cstdint>

namespace dustbane {

// A point in time as the file system keeps it: 100-nanosecond steps since 1 January 1601 UTC.
using FileTime = uint64_t;

inline constexpr FileTime fileTimeTicksPerHour = 36'000'000'000ULL;

} // namespace dustbane
