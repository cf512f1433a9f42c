#include "engine/clean_driver.h"

namespace dustbane {

CleanDriver::CleanDriver(RunContext& context, SettingsSummary& summary)
    : context_(context), summary_(summary), deletion_(context) {}

void CleanDriver::runTick() {}

void CleanDriver::elapsedTick() {}

bool CleanDriver::active() const { return context_.window.progressVisible(); }

void CleanDriver::stopForClose() { context_.run.stopRequested = true; }

} // namespace dustbane
