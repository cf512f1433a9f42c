#pragma once

#include <string>
#include <vector>

namespace dustbane {

// The pattern with %1 … %9 replaced by values[0] … values[8], wherever a translation puts
// them and as often. A % without a value to stand for stays as written, and the values are
// taken as they are: a value holding "%2" is not filled in again.
std::string fillIn(const std::string& pattern, const std::vector<std::string>& values);

} // namespace dustbane
