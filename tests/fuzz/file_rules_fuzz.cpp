#include "engine/search_scan.h"

#include <cstdint>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>
#include <string>
#include <vector>

using namespace dustbane;

namespace {

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts(1);
    for (char c : text) {
        if (c == separator) {
            parts.emplace_back();
        } else {
            parts.back() += c;
        }
    }
    return parts;
}

std::string lowered(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c + ('a' - 'A'));
        }
    }
    return text;
}

// Whether the list's entries hold the item's ";"-separated pieces one after the other:
// a name without a separator must equal one whole entry.
bool listed(const std::string& list, const std::string& item) {
    const std::vector<std::string> entries = split(list, ';');
    const std::vector<std::string> pieces = split(item, ';');
    for (size_t start = 0; start + pieces.size() <= entries.size(); ++start) {
        if (std::equal(pieces.begin(), pieces.end(), entries.begin() + static_cast<long>(start))) {
            return true;
        }
    }
    return false;
}

// The file rules in their order, written out from the table rather than from the code.
FileRule reference(const CleanSettings& s, const std::string& name, uint64_t size) {
    if (s.Picthumb && name == "Thumbs.db") {
        return FileRule::ThumbsDb;
    }
    if (s.Tempfile && name.size() >= 1 && name[0] == '~') {
        return FileRule::TildeName;
    }
    if (s.Zerofile && size == 0) {
        return FileRule::ZeroSize;
    }
    if (s.FilesName.size() > 0 && listed(s.FilesName, name)) {
        return FileRule::ListedName;
    }
    const std::vector<std::string> byDot = split(name, '.');
    if (byDot.size() < 2 || byDot.back().empty()) {
        return FileRule::None;
    }
    const std::string extension = lowered(byDot.back());
    if (s.Tempfile && extension[0] == '~') {
        return FileRule::TildeExtension;
    }
    if (s.Oldfile && (extension == "tmp" || extension == "old" || extension == "bak")) {
        return FileRule::OldExtension;
    }
    if (s.Logfile && extension == "log") {
        return FileRule::LogExtension;
    }
    if (s.Ext.size() > 0 && listed(lowered(s.Ext), extension)) {
        return FileRule::ListedExtension;
    }
    return FileRule::None;
}

} // namespace

// Any flags, lists, name and size: the scan's rule function picks exactly the rule the
// reference picks.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    CleanSettings settings;
    settings.Picthumb = input.ConsumeBool();
    settings.Tempfile = input.ConsumeBool();
    settings.Zerofile = input.ConsumeBool();
    settings.Oldfile = input.ConsumeBool();
    settings.Logfile = input.ConsumeBool();
    const uint64_t fileSize = input.ConsumeBool() ? 0 : input.ConsumeIntegral<uint64_t>();
    settings.FilesName = input.ConsumeRandomLengthString(64);
    settings.Ext = input.ConsumeRandomLengthString(64);
    const std::string name = input.ConsumeRemainingBytesAsString();
    if (selectingRule(settings, name, fileSize) != reference(settings, name, fileSize)) {
        std::abort();
    }
    return 0;
}
