#include "settings/path_argument.h"

#include "paths/case_folding.h"

#include <algorithm>

namespace dustbane {

std::string readPathArgument(const std::string& firstArgument) {
    auto quote = firstArgument.find('"');
    if (quote == std::string::npos) {
        return firstArgument;
    }
    return firstArgument.substr(0, quote) + "\\";
}

bool equalIgnoringCase(const std::string& a, const std::string& b) {
    return caseKey(a) == caseKey(b);
}

bool listHoldsIgnoringCase(const CheckedPathList& list, const std::string& text) {
    return std::any_of(list.begin(), list.end(), [&](const CheckedPath& entry) {
        return equalIgnoringCase(entry.text, text);
    });
}

} // namespace dustbane
