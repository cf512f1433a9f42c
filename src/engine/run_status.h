#pragma once

#include "engine/run_context.h"

#include <string>

namespace dustbane {

// What a run shows of its work in the run model, beside its lines.

// Status panel 0: "<word> <subject>", e.g. "Cleaning C:\Temp".
void showActivity(RunContext& context, Text word, const std::string& subject);

// The progress bar as an activity indicator: advances by n and wraps to 0 at the top.
void advanceProgress(RunModel& model, int n);

// Counts one deleted item and shows the count in status panel 1 after the given text.
void countDeleted(RunContext& context, const std::string& separator);

} // namespace dustbane
