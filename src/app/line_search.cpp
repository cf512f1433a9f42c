#include "app/line_search.h"

#include "paths/case_folding.h"

namespace dustbane {

namespace {

bool beginsWith(const std::string& caption, const std::u32string& wanted) {
    const size_t first = caption.find_first_not_of(' ');
    if (first == std::string::npos) {
        return wanted.empty();
    }
    const std::u32string key = caseKey(caption.substr(first));
    return key.compare(0, wanted.size(), wanted) == 0;
}

} // namespace

int findLineStartingWith(int count, const std::function<const std::string&(int)>& caption,
                         const std::string& text, int start, bool wrap) {
    const std::u32string wanted = caseKey(text);
    if (wanted.empty() || count <= 0) {
        return -1;
    }
    const int from = start < 0 || start >= count ? 0 : start;
    const int steps = wrap ? count : count - from;
    for (int step = 0; step < steps; ++step) {
        const int line = (from + step) % count;
        if (beginsWith(caption(line), wanted)) {
            return line;
        }
    }
    return -1;
}

} // namespace dustbane
