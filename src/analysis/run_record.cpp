#include "analysis/run_record.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace dustbane {

void RunRecord::addLine(const std::string& caption, LineImage image) {
    entries_.emplace_back(ResultLine{caption, image});
}

void RunRecord::addItem(DeletedItem item) {
    entries_.emplace_back(std::move(item));
}

void RunRecord::addRemovedFolder(const std::string& path) {
    const std::string prefix = path + "\\";
    const auto isItem = [](const Entry& entry) {
        return std::holds_alternative<DeletedItem>(entry);
    };
    // What went with the folder was recorded just before it, lines perhaps between.
    auto first = entries_.end();
    while (first != entries_.begin()) {
        const auto* item = std::get_if<DeletedItem>(&*std::prev(first));
        if (item && item->path.rfind(prefix, 0) != 0) {
            break;
        }
        --first;
    }
    const auto lines = std::stable_partition(first, entries_.end(), isItem);
    DeletedItem folder{path, true, 0, false};
    for (auto it = first; it != lines; ++it) {
        folder.size += std::get<DeletedItem>(*it).size;
    }
    *entries_.insert(entries_.erase(first, lines), Entry{}) = std::move(folder);
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
