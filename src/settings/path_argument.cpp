#include "settings/path_argument.h"

#include <algorithm>
#include <cstdint>

namespace dustbane {

namespace {

// Decodes one UTF-8 sequence at text[index]; a byte that starts no valid sequence is
// returned as itself (offset into a range no letter uses) so that it still compares exactly.
char32_t nextCodePoint(const std::string& text, size_t& index) {
    auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    unsigned char lead = byte(index);
    size_t length = lead < 0x80           ? 1
                    : (lead >> 5) == 0x6  ? 2
                    : (lead >> 4) == 0xE  ? 3
                    : (lead >> 3) == 0x1E ? 4
                                          : 0;
    if (length == 1 || length == 0 || index + length > text.size()) {
        ++index;
        return length == 1 ? lead : 0x110000u + lead;
    }
    char32_t point = lead & (0x7F >> length);
    for (size_t i = 1; i < length; ++i) {
        if ((byte(index + i) & 0xC0) != 0x80) {
            ++index;
            return 0x110000u + lead;
        }
        point = (point << 6) | (byte(index + i) & 0x3F);
    }
    index += length;
    return point;
}

char32_t toLower(char32_t c) {
    if ((c >= U'A' && c <= U'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) ||
        (c >= 0x391 && c <= 0x3AB && c != 0x3A2) || (c >= 0x410 && c <= 0x42F)) {
        return c + 0x20;
    }
    if (c >= 0x400 && c <= 0x40F) {
        return c + 0x50;
    }
    if (c == 0x178) {
        return 0xFF;
    }
    // Latin Extended-A pairs upper and lower case neighbours; which of the two is upper case
    // changes twice along the block.
    bool evenUpper =
        (c >= 0x100 && c <= 0x12F) || (c >= 0x132 && c <= 0x137) || (c >= 0x14A && c <= 0x177);
    bool oddUpper = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    if ((evenUpper && c % 2 == 0) || (oddUpper && c % 2 == 1)) {
        return c + 1;
    }
    return c;
}

} // namespace

std::string readPathArgument(const std::string& firstArgument) {
    auto quote = firstArgument.find('"');
    if (quote == std::string::npos) {
        return firstArgument;
    }
    return firstArgument.substr(0, quote) + "\\";
}

bool equalIgnoringCase(const std::string& a, const std::string& b) {
    size_t i = 0;
    size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (toLower(nextCodePoint(a, i)) != toLower(nextCodePoint(b, j))) {
            return false;
        }
    }
    return i == a.size() && j == b.size();
}

bool listHoldsIgnoringCase(const CheckedPathList& list, const std::string& text) {
    return std::any_of(list.begin(), list.end(), [&](const CheckedPath& entry) {
        return equalIgnoringCase(entry.text, text);
    });
}

} // namespace dustbane
