#include "driver/wait.h"

#include <windows.h>

namespace dustbane::e2e {

bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (condition()) {
            return true;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return condition();
        }
        Sleep(15);
    }
}

} // namespace dustbane::e2e
