#include "settings/path_list_edit.h"

#include <algorithm>

namespace dustbane {

CheckedPathList& pathList(CleanSettings& settings, PathListKind kind) {
    switch (kind) {
    case PathListKind::Paths:
        return settings.PathList;
    case PathListKind::ExcludedPaths:
        return settings.PathexList;
    case PathListKind::Folders:
        return settings.FolderList;
    case PathListKind::Files:
        break;
    }
    return settings.FileList;
}

const char* browseTitle(PathListKind kind) {
    switch (kind) {
    case PathListKind::Paths:
        return "Add a path";
    case PathListKind::ExcludedPaths:
        return "Exclude a path";
    case PathListKind::Folders:
        return "Add a folder";
    case PathListKind::Files:
        break;
    }
    return "";
}

bool addUnlessListed(CheckedPathList& list, const std::string& text, const System& system) {
    bool listed = std::any_of(list.begin(), list.end(),
                              [&](const CheckedPath& entry) { return entry.text == text; });
    if (text.empty() || listed) {
        return false;
    }
    insertSorted(list, {text, true}, [&](const std::string& a, const std::string& b) {
        return system.compareStrings(a, b);
    });
    return true;
}

void removeRows(CheckedPathList& list, std::vector<size_t> rows) {
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    // From the last row to the first, so that earlier indices stay valid.
    for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
        if (*row < list.size()) {
            list.erase(list.begin() + static_cast<std::ptrdiff_t>(*row));
        }
    }
}

int32_t numberFromText(const std::string& text, int32_t low, int32_t high) {
    if (text.empty() ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return low;
    }
    // Leading zeros aside, more digits than the limit has is above it whatever they say.
    auto first = text.find_first_not_of('0');
    if (first == std::string::npos) {
        return low;
    }
    if (text.size() - first > std::to_string(high).size()) {
        return high;
    }
    return std::clamp(static_cast<int32_t>(std::stoi(text.substr(first))), low, high);
}

int32_t logDaysFromText(const std::string& text) {
    return numberFromText(text, minLogDays, maxLogDays);
}

int32_t ageHoursFromText(const std::string& text) {
    return numberFromText(text, minAgeHours, maxAgeHours);
}

} // namespace dustbane
