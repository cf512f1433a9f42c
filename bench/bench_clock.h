#pragma once

#include <functional>
#include <windows.h>

namespace dustbane::bench {

// Wall-clock seconds the work takes, from the performance counter.
inline double secondsFor(const std::function<void()>& work) {
    LARGE_INTEGER frequency;
    LARGE_INTEGER start;
    LARGE_INTEGER end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    work();
    QueryPerformanceCounter(&end);
    return static_cast<double>(end.QuadPart - start.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

} // namespace dustbane::bench
