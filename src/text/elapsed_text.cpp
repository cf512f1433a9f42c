#include "text/elapsed_text.h"

namespace dustbane {

std::string elapsedText(const std::string& pastWord, int32_t seconds) {
    std::string text = pastWord + ": ";
    if (seconds < 60) {
        return text + std::to_string(seconds) + "s";
    }
    if (seconds < 3600) {
        return text + std::to_string(seconds / 60) + "m " + std::to_string(seconds % 60) + "s";
    }
    return text + std::to_string(seconds / 3600) + "h " + std::to_string(seconds % 3600 / 60) + "m";
}

} // namespace dustbane
