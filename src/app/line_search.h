#pragma once

#include <functional>
#include <string>

namespace dustbane {

// What typing in the main list finds: the first line from start on (then from the top, when
// wrap is set) whose caption, past its leading blanks, begins with text, ignoring letter
// case; -1 when none does.
int findLineStartingWith(int count, const std::function<const std::string&(int)>& caption,
                         const std::string& text, int start, bool wrap);

} // namespace dustbane
