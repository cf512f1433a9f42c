#include "text/fill_in.h"

namespace dustbane {

std::string fillIn(const std::string& pattern, const std::vector<std::string>& values) {
    std::string text;
    text.reserve(pattern.size());
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size()) {
            const int number = pattern[i + 1] - '0';
            if (number >= 1 && number <= 9 && static_cast<size_t>(number) <= values.size()) {
                text += values[static_cast<size_t>(number - 1)];
                ++i;
                continue;
            }
        }
        text += pattern[i];
    }
    return text;
}

} // namespace dustbane
