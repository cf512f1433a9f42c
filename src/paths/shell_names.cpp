#include "paths/shell_names.h"

#include "paths/case_folding.h"

#include <array>
#include <string_view>

namespace dustbane {

namespace {

// A name is a device when what stands before its first dot, less trailing spaces, is one of
// these; "com" and "lpt" take a digit or a superscript one, two or three.
bool isDeviceName(const std::string& name) {
    std::string base = name.substr(0, name.find('.'));
    while (!base.empty() && base.back() == ' ') {
        base.pop_back();
    }
    const std::u32string key = caseKey(base);
    static const std::array<std::u32string_view, 6> plain = {U"con", U"prn",    U"aux",
                                                             U"nul", U"conin$", U"conout$"};
    for (std::u32string_view device : plain) {
        if (key == device) {
            return true;
        }
    }
    if (key.size() != 4 || (key.compare(0, 3, U"com") != 0 && key.compare(0, 3, U"lpt") != 0)) {
        return false;
    }
    const char32_t last = key[3];
    return (last >= U'0' && last <= U'9') || last == 0xB9 || last == 0xB2 || last == 0xB3;
}

bool nameTrimmedByShell(const std::string& name) {
    return !name.empty() && (name.back() == '.' || name.back() == ' ');
}

} // namespace

size_t utf16Length(const std::string& text) {
    size_t units = 0;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        units += (byte & 0xC0) == 0x80 ? 0 : byte >= 0xF0 ? 2 : 1;
    }
    return units;
}

bool shellNamesExactly(const std::string& canonical) {
    if (canonical.empty() || utf16Length(canonical) > maxShellPathLength ||
        canonical.find_first_of("*?") != std::string::npos) {
        return false;
    }
    // The root (a drive or \\server\share) is taken as it is; every name below it counts.
    size_t start = canonical.rfind("\\\\", 0) == 0
                       ? canonical.find('\\', canonical.find('\\', 2) + 1)
                       : canonical.find('\\');
    while (start != std::string::npos && start < canonical.size()) {
        const size_t end = canonical.find('\\', start + 1);
        const std::string name = canonical.substr(
            start + 1, (end == std::string::npos ? canonical.size() : end) - start - 1);
        if (!name.empty() && (nameTrimmedByShell(name) || isDeviceName(name))) {
            return false;
        }
        start = end;
    }
    return true;
}

} // namespace dustbane
