#pragma once

#include "engine/run_ledger.h"
#include "platform/window_operations.h"

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace dustbane {

// A line the engine added to the main list.
struct ResultLine {
    std::string caption;
    LineImage image = LineImage::Note;
};

// One item a run deleted (or, in a preview, would delete), as the deleting call saw it.
struct DeletedItem {
    std::string path;
    bool folder = false;
    // A folder: everything below it that went with it.
    uint64_t size = 0;
    bool toRecycleBin = false;
};

struct RunTotals {
    uint64_t items = 0;
    uint64_t permanentBytes = 0;
    uint64_t recycledBytes = 0;
};

// What a run without a window produced, in the order it happened: the engine's lines and
// the items its ledger entered between them, and how many deletions failed.
class RunRecord : public RunLedgerObserver {
  public:
    using Entry = std::variant<ResultLine, DeletedItem>;

    void addLine(const std::string& caption, LineImage image);
    void itemDeleted(const LedgerGroup& group, const LedgerItem& item) override;
    void setFailures(uint64_t failures) { failures_ = failures; }

    const std::vector<Entry>& entries() const { return entries_; }
    uint64_t failures() const { return failures_; }
    RunTotals totals() const;

  private:
    std::vector<Entry> entries_;
    uint64_t failures_ = 0;
};

} // namespace dustbane
