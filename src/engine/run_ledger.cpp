#include "engine/run_ledger.h"

#include <utility>

namespace dustbane {

void RunLedger::clear() {
    totals_ = {};
    group_ = {};
}

void RunLedger::setSection(std::string section) {
    group_ = {std::move(section), {}, 0, LineImage::Note};
}

void RunLedger::setGroup(std::string caption, int order, LineImage image) {
    group_.caption = std::move(caption);
    group_.order = order;
    group_.image = image;
}

void RunLedger::deleted(const LedgerItem& item) {
    ++totals_.items;
    (item.toRecycleBin ? totals_.recycledBytes : totals_.permanentBytes) += item.size;
    if (observer_) {
        observer_->itemDeleted(group_, item);
    }
}

} // namespace dustbane
