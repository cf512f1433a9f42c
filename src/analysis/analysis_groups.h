#pragma once

#include "engine/run_ledger.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace dustbane {

// One line of an analysis: what a target, a folder, the files to delete or one file rule
// under a search path would delete.
struct AnalysisGroup {
    LedgerGroup key;
    uint64_t items = 0;
    uint64_t bytes = 0;
    // The largest of the items, at most the collector's limit; the rest are only counted.
    std::vector<LedgerItem> largest;

    uint64_t notKept() const { return items - largest.size(); }
};

// A search path and its rule groups, or (with an empty name) the targets, folders and files.
struct AnalysisSection {
    std::string name;
    std::vector<AnalysisGroup> groups;
    uint64_t items() const;
    uint64_t bytes() const;
};

// Collects what an analysis would delete, group by group. A group counts every item but keeps
// only its largest ones, so that a drive-wide scan keeps memory flat.
class AnalysisGroups : public RunLedgerObserver {
  public:
    static constexpr size_t keptPerGroup = 10000;

    explicit AnalysisGroups(size_t kept = keptPerGroup) : kept_(kept) {}

    void clear() { sections_.clear(); }
    void itemDeleted(const LedgerGroup& group, const LedgerItem& item) override;

    // The sections as they came; a section's groups by their order, then as they came; each
    // group's kept items largest first, equal sizes by path.
    std::vector<AnalysisSection> ordered() const;

  private:
    AnalysisGroup& groupFor(const LedgerGroup& key);

    size_t kept_;
    std::vector<AnalysisSection> sections_;
};

} // namespace dustbane
