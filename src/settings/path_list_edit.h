#pragma once

#include "platform/system.h"
#include "settings/clean_settings.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace dustbane {

// The four path lists of the options dialog.
enum class PathListKind { Paths, ExcludedPaths, Folders, Files };

CheckedPathList& pathList(CleanSettings& settings, PathListKind kind);

// The folder browser's title for a list's Add ("" for the file list, which picks files).
const char* browseTitle(PathListKind kind);

// Adds the text checked at its sorted place unless it is empty or the list already holds
// exactly that text (letter case counts). True when it was added.
bool addUnlessListed(CheckedPathList& list, const std::string& text, const System& system);

// Removes the rows at the given indices, whatever their order; indices past the end are
// ignored.
void removeRows(CheckedPathList& list, std::vector<size_t> rows);

// A number field's text: digits only, clamped into low..high; anything that is no number
// reads as low.
int32_t numberFromText(const std::string& text, int32_t low, int32_t high);
// The log-days field's text as a number of days, 1..100.
int32_t logDaysFromText(const std::string& text);
// The age-limit field's text as a number of hours, 1..720.
int32_t ageHoursFromText(const std::string& text);

} // namespace dustbane
