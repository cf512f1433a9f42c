#include "engine/deletion.h"

namespace dustbane {

Deletion::Deletion(RunContext& context) : context_(context) {}

std::string withBackslash(const std::string& path) {
    return !path.empty() && path.back() == '\\' ? path : path + "\\";
}

} // namespace dustbane
