#include "cli/report_format.h"

#include <array>

namespace dustbane {

namespace {

std::string itemsText(uint64_t items) {
    return std::to_string(items) + (items == 1 ? " item" : " items");
}

} // namespace

std::string readableSize(uint64_t bytes) {
    static const std::array<const char*, 6> units = {"B", "KB", "MB", "GB", "TB", "PB"};
    if (bytes < 1024) {
        return std::to_string(bytes) + " B";
    }
    size_t unit = 0;
    uint64_t scale = 1;
    while (unit + 1 < units.size() && bytes / scale >= 1024) {
        scale *= 1024;
        ++unit;
    }
    // Tenths rounded half up, in integers: no byte count is too large for them.
    const uint64_t tenths = bytes / scale * 10 + (bytes % scale * 10 + scale / 2) / scale;
    if (tenths >= 10240 && unit + 1 < units.size()) {
        // Rounding reached the next unit: 1023.96 KB reads 1.0 MB.
        return "1.0 " + std::string(units[unit + 1]);
    }
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + " " + units[unit];
}

std::string bytesText(uint64_t bytes) {
    return std::to_string(bytes) + (bytes == 1 ? " byte (" : " bytes (") + readableSize(bytes) +
           ")";
}

std::string itemLine(const DeletedItem& item) {
    return std::string(item.folder ? "  folder  " : "  file    ") + std::to_string(item.size) +
           "  " + item.path;
}

std::string previewTotalLine(const RunTotals& totals) {
    return itemsText(totals.items) + ", " + bytesText(totals.permanentBytes + totals.recycledBytes);
}

std::string cleanTotalLine(const RunTotals& totals) {
    return itemsText(totals.items) + ", " + bytesText(totals.permanentBytes) +
           " deleted permanently, " + bytesText(totals.recycledBytes) + " moved to the Recycle Bin";
}

} // namespace dustbane
