#pragma once

#include <string>

namespace dustbane::testing {

// Makes a link to a folder, in a folder that exists, and returns once it is there. Wine 8's
// CreateSymbolicLinkW reports success and makes nothing, so under Wine the link is a Unix
// symbolic link made through Wine's start, which Wine shows as a folder with the
// reparse-point attribute, as Windows shows a junction.
bool makeFolderLink(const std::string& link, const std::string& target);

} // namespace dustbane::testing
