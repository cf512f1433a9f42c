#pragma once

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
// the items deleted between them, and how many deletions failed.
class RunRecord {
  public:
    using Entry = std::variant<ResultLine, DeletedItem>;

    void addLine(const std::string& caption, LineImage image);
    void addItem(DeletedItem item);
    // A folder removed for good after what was in it: the items just recorded below it
    // become this one item, with their sizes summed, as the window counts it.
    void addRemovedFolder(const std::string& path);
    void addFailure() { ++failures_; }

    const std::vector<Entry>& entries() const { return entries_; }
    int failures() const { return failures_; }
    RunTotals totals() const;

  private:
    std::vector<Entry> entries_;
    int failures_ = 0;
};

} // namespace dustbane
