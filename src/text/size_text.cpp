#include "text/size_text.h"

#include <array>

namespace dustbane {

namespace {

constexpr std::array<const char*, 6> unitNames = {"KB", "MB", "GB", "TB", "PB", "EB"};
constexpr int bitsPerUnit = 10;

} // namespace

std::string sizeText(uint64_t bytes, const NumberFormat& format) {
    if (bytes < 1024) {
        return countText(bytes, format) + (bytes == 1 ? " byte" : " bytes");
    }
    size_t unit = 0;
    while (unit + 1 < unitNames.size() && bytes >> (bitsPerUnit * (unit + 2)) != 0) {
        ++unit;
    }
    int shift = bitsPerUnit * static_cast<int>(unit + 1);
    uint64_t whole = bytes >> shift;
    // Three digits must hold the whole part, so 1,000 KB and more reads as a fraction of a MB.
    // No size reaches 1,000 EB, so the largest unit never overflows.
    if (whole >= 1000) {
        ++unit;
        shift += bitsPerUnit;
        whole = 0;
    }
    const int decimals = whole >= 100 ? 0 : (whole >= 10 ? 1 : 2);
    std::string text = std::to_string(whole);
    if (decimals > 0) {
        text += format.decimal;
    }
    // Long division one digit at a time: the remainder stays below 2^60, so ten times it
    // still fits, right up to the largest size, and each digit is cut off, never rounded up.
    const uint64_t unitBytes = uint64_t{1} << shift;
    uint64_t remainder = bytes & (unitBytes - 1);
    for (int digit = 0; digit < decimals; ++digit) {
        remainder *= 10;
        text += static_cast<char>('0' + remainder / unitBytes);
        remainder %= unitBytes;
    }
    return text + " " + unitNames[unit];
}

std::string countText(uint64_t count, const NumberFormat& format) {
    const std::string digits = std::to_string(count);
    std::string text;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) {
            text += format.thousands;
        }
        text += digits[i];
    }
    return text;
}

} // namespace dustbane
