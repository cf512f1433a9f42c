#include "analysis/run_record.h"

namespace dustbane {

namespace {

// The path as a deleted item is listed: without a trailing backslash unless it is a root.
std::string itemPath(const std::string& path) {
    std::string trimmed = path;
    while (trimmed.size() > 3 && trimmed.back() == '\\') {
        trimmed.pop_back();
    }
    return trimmed;
}

} // namespace

void RunRecord::addLine(const std::string& caption, LineImage image) {
    entries_.emplace_back(ResultLine{caption, image});
}

void RunRecord::itemDeleted(const LedgerGroup&, const LedgerItem& item) {
    entries_.emplace_back(
        DeletedItem{itemPath(item.path), item.folder, item.size, item.toRecycleBin});
}

RunTotals RunRecord::totals() const {
    RunTotals totals;
    for (const Entry& entry : entries_) {
        if (const auto* item = std::get_if<DeletedItem>(&entry)) {
            ++totals.items;
            (item->toRecycleBin ? totals.recycledBytes : totals.permanentBytes) += item->size;
        }
    }
    return totals;
}

} // namespace dustbane
