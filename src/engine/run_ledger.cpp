#include "engine/run_ledger.h"

#include <utility>

namespace dustbane {

StayReason stayReasonOfShellCode(int code) {
    // ERROR_SHARING_VIOLATION and ERROR_ACCESS_DENIED, which SHFileOperation passes on.
    switch (code) {
    case 32:
        return StayReason::InUse;
    case 5:
        return StayReason::AccessDenied;
    default:
        return StayReason::NotDeleted;
    }
}

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

void RunLedger::stayed(const LedgerItem& item, StayReason reason) {
    ++totals_.stayed;
    if (observer_) {
        observer_->itemStayed(group_, item, reason);
    }
}

} // namespace dustbane
