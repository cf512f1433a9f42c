#pragma once

#include "cli/run_report.h"

#include <string>

namespace dustbane {

// The report as one JSON document (the schema is docs/report.schema.json), indented, its
// strings UTF-8; bytes that are not UTF-8 become U+FFFD.
std::string reportJson(const RunReport& report);

} // namespace dustbane
