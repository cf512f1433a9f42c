#pragma once

#include "options/options_logic.h"
#include "platform/window_operations.h"
#include "settings/settings_summary.h"
#include "start/app_services.h"

#include <string>

namespace dustbane {

// The window's start-up step after the display mode: loads the settings, shows their summary
// and offers a folder given on the command line as a search path, stored as the options
// dialog's OK would store it.
class StartUpChain {
  public:
    StartUpChain(AppServices& app, SettingsSummary& summary, OptionsLogic& options,
                 WindowOperations& window);

    // given is the argument as readPathArgument read it; "" for none.
    void offerPathArgument(const std::string& given);

  private:
    AppServices& app_;
    SettingsSummary& summary_;
    OptionsLogic& options_;
    WindowOperations& window_;
};

} // namespace dustbane
