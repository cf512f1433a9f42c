#pragma once

#include "app/app_services.h"
#include "app/settings_summary.h"
#include "platform/window_operations.h"

#include <string>

namespace dustbane {

// The options dialog's decisions, without its window: the snapshot taken when it is shown,
// the OK sequence, the restore on any other close, the recycle-bin question, and the
// start-up step that loads the settings and offers a folder argument as a search path.
class OptionsLogic {
  public:
    OptionsLogic(AppServices& app, SettingsSummary& summary, WindowOperations& window);

    // Recycle went from ticked to unticked (by the user or by a load): ask, and on No tick
    // it again and store Recycle = 1 at once.
    void recycleCleared();

    // The dialog is about to show: clears accepted, saves the snapshot, syncs the verb.
    void shown();
    // The OK sequence; also run without the dialog by offerPathArgument.
    void ok();
    // Every close: unless accepted, the snapshot is restored.
    void closing();
    bool accepted() const { return accepted_; }

    // The start-up step: loads the settings, rebuilds the summary, offers the argument.
    void offerPathArgument(const std::string& argument);

  private:
    AppServices& app_;
    SettingsSummary& summary_;
    WindowOperations& window_;
    bool accepted_ = false;
};

} // namespace dustbane
