#pragma once

#include <string>

namespace dustbane {

// The user's separators for numbers, as UTF-8 texts: a separator may be more than one byte
// (French groups digits with a narrow no-break space) or more than one character.
struct NumberFormat {
    std::string decimal = ".";
    std::string thousands = ",";
};

} // namespace dustbane
