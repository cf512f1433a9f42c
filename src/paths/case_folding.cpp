#include "paths/case_folding.h"

namespace dustbane {

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

char32_t lowerCodePoint(char32_t c) {
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

std::u32string caseKey(const std::string& text) {
    std::u32string key;
    key.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        key.push_back(lowerCodePoint(nextCodePoint(text, i)));
    }
    return key;
}

} // namespace dustbane
