#pragma once

#include "analysis/run_record.h"

#include <cstdint>
#include <string>

namespace dustbane {

// A byte count in the largest binary unit that keeps it at 1 or more, with one decimal:
// "512 B", "3.3 MB".
std::string readableSize(uint64_t bytes);

// "123456 bytes (120.6 KB)".
std::string bytesText(uint64_t bytes);

// "  file    1234  C:\path\to\file.tmp" or "  folder  56789  C:\path\to\folder".
std::string itemLine(const DeletedItem& item);

// "12 items, 3456789 bytes (3.3 MB)".
std::string previewTotalLine(const RunTotals& totals);

// "12 items, 3456789 bytes (3.3 MB) deleted permanently, 0 bytes (0 B) moved to the
// Recycle Bin".
std::string cleanTotalLine(const RunTotals& totals);

} // namespace dustbane
