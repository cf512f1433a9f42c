#include "settings/options_logic.h"

namespace dustbane {

OptionsLogic::OptionsLogic(AppServices& app, SettingsSummary& summary, WindowOperations& window)
    : app_(app), summary_(summary), window_(window) {}

void OptionsLogic::recycleCleared() {}

void OptionsLogic::shown() { accepted_ = false; }

void OptionsLogic::ok() { accepted_ = true; }

void OptionsLogic::closing() {}

void OptionsLogic::offerPathArgument(const std::string&) {
    app_.store.loadSettings(app_.settings, [this] { recycleCleared(); });
    summary_.rebuild();
    window_.pumpMessages();
}

} // namespace dustbane
