#include "cli/run_record.h"

#include <utility>

namespace dustbane {

void RunRecord::addLine(const std::string& caption, LineImage image) {
    entries_.emplace_back(ResultLine{caption, image});
}

void RunRecord::addItem(DeletedItem item) {
    entries_.emplace_back(std::move(item));
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
