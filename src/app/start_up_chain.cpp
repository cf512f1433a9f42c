#include "app/start_up_chain.h"

#include "paths/canonical_path.h"
#include "settings/path_argument.h"

namespace dustbane {

StartUpChain::StartUpChain(AppServices& app, SettingsSummary& summary, OptionsLogic& options,
                           WindowOperations& window)
    : app_(app), summary_(summary), options_(options), window_(window) {}

void StartUpChain::offerPathArgument(const std::string& given) {
    const std::string argument = canonicalPath(given).value_or(given);
    app_.store.loadSettings(app_.settings, [this] { options_.recycleCleared(); });
    summary_.rebuild();
    options_.applyVerbPolicy();
    const Policy& policy = app_.store.policy();
    if (!argument.empty() && app_.platform.files.directoryExists(argument)) {
        if (listHoldsIgnoringCase(app_.settings.PathList, argument)) {
            return;
        }
        if (policy.locks("PathList") || policy.forbids(argument, app_.platform.files)) {
            app_.platform.prompter.inform(
                app_.language.text(Text::ForbiddenByAdministrator) + " " + argument, "Add path");
            return;
        }
        std::string question = app_.language.text(Text::WantToAdd) + " '" + argument + "' " +
                               app_.language.text(Text::ToSearchPath);
        if (app_.platform.prompter.ask(question, "Add path", style::question) == answer::yes) {
            insertSorted(app_.settings.PathList, {argument, true},
                         [this](const std::string& a, const std::string& b) {
                             return app_.platform.system.compareStrings(a, b);
                         });
            options_.ok();
        }
    }
    window_.pumpMessages();
}

} // namespace dustbane
