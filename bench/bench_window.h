#pragma once

#include "platform/window_operations.h"

#include <cstdint>
#include <windows.h>

namespace dustbane::bench {

// The main window as the engine sees it, without a window: the model keeps the lines, and a
// pump only reads the tick count, as the real window does between its real pumps.
class BenchWindow : public WindowOperations {
  public:
    void startElapsedClock() override {}
    void stopElapsedClock() override {}
    void pumpMessages() override {
        ++pumps;
        const uint64_t now = GetTickCount64();
        if (now - lastPump_ >= 10) {
            lastPump_ = now;
            ++duePumps;
        }
    }
    void showChanges() override {}

    RunModel model;
    uint64_t pumps = 0;
    // Pumps at which the real window would have let messages run.
    uint64_t duePumps = 0;

  private:
    uint64_t lastPump_ = 0;
};

} // namespace dustbane::bench
