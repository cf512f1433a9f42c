#include "app/settings_summary.h"

namespace dustbane {

SettingsSummary::SettingsSummary(const CleanSettings& settings, const LanguageTable& language,
                                 WindowOperations& window)
    : settings_(settings), language_(language), window_(window) {}

void SettingsSummary::rebuild() { shown_ = true; }

std::optional<OptionsPage> SettingsSummary::pageForLine(int) const { return std::nullopt; }

} // namespace dustbane
