#pragma once

#include "settings/clean_settings.h"

#include <string>

namespace dustbane {

// The folder given as the first command-line argument, as CommandLineToArgvW split it.
// The verb quotes %1, so a drive root D:\ arrives as D:" (the backslash escapes the closing
// quote); a quote cannot be part of a path, so it stands for that backslash.
std::string readPathArgument(const std::string& firstArgument);

// Whole-text equality that ignores letter case: ASCII and the simple case pairs of Latin-1,
// Latin Extended-A, Greek and Cyrillic, as the file system treats them.
bool equalIgnoringCase(const std::string& a, const std::string& b);

bool listHoldsIgnoringCase(const CheckedPathList& list, const std::string& text);

} // namespace dustbane
