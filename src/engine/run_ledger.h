#pragma once

#include "platform/run_model.h"

#include <cstdint>
#include <string>

namespace dustbane {

// One item a run deleted, as the run counts it: a folder that went whole is one item with
// the bytes of everything in it; a folder emptied entry by entry and then removed is an item
// of its own with no bytes, its contents having been items already.
struct LedgerItem {
    std::string path;
    uint64_t size = 0;
    bool folder = false;
    bool toRecycleBin = false;
};

// What a run has freed so far. Sizes are logical sizes, as Explorer's Size column shows them.
struct LedgerTotals {
    uint64_t items = 0;
    uint64_t permanentBytes = 0;
    uint64_t recycledBytes = 0;
    // Deletions that failed: the item was in use or access to it was denied.
    uint64_t stayed = 0;
    bool operator==(const LedgerTotals&) const = default;
};

// The part of a run its deletions currently belong to: a target, a folder or the files to
// delete, or one file rule under a search path (the section). Groups of a section are shown
// by their order, then as they came.
struct LedgerGroup {
    std::string section;
    std::string caption;
    int order = 0;
    LineImage image = LineImage::Note;
};

// Why an item stayed, as far as the run can tell: the shell's move to the Recycle Bin names
// the cause; the file system's calls say only that the item did not go.
enum class StayReason { InUse, AccessDenied, NotDeleted };

// The reason a result code of the shell's move to the Recycle Bin gives.
StayReason stayReasonOfShellCode(int code);

class RunLedgerObserver {
  public:
    virtual ~RunLedgerObserver() = default;
    virtual void itemDeleted(const LedgerGroup& group, const LedgerItem& item) = 0;
    // An item that should have gone and did not; its size is what it would have freed.
    virtual void itemStayed(const LedgerGroup&, const LedgerItem&, StayReason) {}
};

// Every item a run deletes passes through here, with its size taken from the listing that
// found it, so that an analysis and the clean that follows it count the same items and bytes.
class RunLedger {
  public:
    void setObserver(RunLedgerObserver* observer) { observer_ = observer; }
    // A new run: the totals start again; the observer stays.
    void clear();

    void setSection(std::string section);
    void setGroup(std::string caption, int order, LineImage image);

    void deleted(const LedgerItem& item);
    void stayed(const LedgerItem& item, StayReason reason);

    const LedgerTotals& totals() const { return totals_; }

  private:
    RunLedgerObserver* observer_ = nullptr;
    LedgerGroup group_;
    LedgerTotals totals_;
};

} // namespace dustbane
