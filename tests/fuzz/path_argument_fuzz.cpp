#include "settings/path_argument.h"

#include <cstdint>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>
#include <string>

using namespace dustbane;

namespace {

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

bool ascii(const std::string& text) {
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return false;
        }
    }
    return true;
}

char asciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string asciiUpper(std::string text) {
    for (char& c : text) {
        c = asciiUpper(c);
    }
    return text;
}

} // namespace

// Any first argument and any pair of texts: the argument reader keeps a path without quotes
// as it is and never returns a quote; the case-blind comparison is an equivalence that
// agrees with plain ASCII folding wherever both texts are ASCII.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string a = input.ConsumeRandomLengthString(256);
    const std::string b = input.ConsumeRemainingBytesAsString();

    const std::string path = readPathArgument(a);
    check(path.find('"') == std::string::npos);
    if (a.find('"') == std::string::npos) {
        check(path == a);
    } else {
        check(path.size() <= a.size() && path.back() == '\\');
        check(a.compare(0, path.size() - 1, path, 0, path.size() - 1) == 0);
    }

    check(equalIgnoringCase(a, a));
    check(equalIgnoringCase(a, asciiUpper(a)));
    check(equalIgnoringCase(a, b) == equalIgnoringCase(b, a));
    if (ascii(a) && ascii(b)) {
        check(equalIgnoringCase(a, b) == (asciiUpper(a) == asciiUpper(b)));
    }
    check(listHoldsIgnoringCase({{"C:\\x", false}, {b, true}}, asciiUpper(b)));
    return 0;
}
