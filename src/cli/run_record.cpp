#include "cli/run_record.h"

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
    DeletedItem folder{path, true, 0, false};
    size_t first = entries_.size();
    while (first > 0) {
        const auto* item = std::get_if<DeletedItem>(&entries_[first - 1]);
        if (item && item->path.rfind(prefix, 0) != 0) {
            break;
        }
        --first;
    }
    std::vector<Entry> kept;
    for (size_t i = first; i < entries_.size(); ++i) {
        if (const auto* item = std::get_if<DeletedItem>(&entries_[i])) {
            folder.size += item->size;
        } else {
            kept.push_back(std::move(entries_[i]));
        }
    }
    entries_.resize(first);
    entries_.emplace_back(std::move(folder));
    for (Entry& entry : kept) {
        entries_.push_back(std::move(entry));
    }
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
