#include "expected_text.h"

namespace dustbane::e2e {

std::string sizeText(uint64_t bytes) {
    std::string text;
    if (bytes < 1024) {
        text = std::to_string(bytes);
        if (bytes >= 1000) {
            text.insert(1, 1, ',');
        }
        text.append(bytes == 1 ? " byte" : " bytes");
        return text;
    }
    const char* units[] = {"KB", "MB", "GB", "TB"};
    int unit = 0;
    while (bytes >> (10 * (unit + 1)) >= 1000) {
        ++unit;
    }
    const int shift = 10 * (unit + 1);
    const uint64_t whole = bytes >> shift;
    text = std::to_string(whole);
    const int decimals = whole >= 100 ? 0 : (whole >= 10 ? 1 : 2);
    if (decimals > 0) {
        text.push_back('.');
    }
    uint64_t remainder = bytes - (whole << shift);
    for (int digit = 0; digit < decimals; ++digit) {
        remainder *= 10;
        text.push_back(static_cast<char>('0' + (remainder >> shift)));
        remainder &= (uint64_t{1} << shift) - 1;
    }
    text.push_back(' ');
    text.append(units[unit]);
    return text;
}

std::string freedLine(uint64_t permanentBytes, uint64_t recycledBytes, uint64_t stayed) {
    return "Freed " + sizeText(permanentBytes) + " for good, " + sizeText(recycledBytes) +
           " to the Recycle Bin; " + std::to_string(stayed) + " items stayed";
}

} // namespace dustbane::e2e
