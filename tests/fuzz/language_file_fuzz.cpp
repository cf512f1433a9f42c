#include "text/language_table.h"

#include <cstdint>
#include <cstdlib>
#include <string>

// Any bytes make a language file: every entry must still be readable, and lines hold no
// line-end characters.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    dustbane::LanguageTable table;
    table.loadText(std::string(reinterpret_cast<const char*>(data), size));
    for (int i = -1; i <= dustbane::LanguageTable::size; ++i) {
        const std::string& text = table.text(i);
        if (text.find_first_of("\r\n") != std::string::npos ||
            text.find('\0') != std::string::npos) {
            std::abort();
        }
    }
    return 0;
}
