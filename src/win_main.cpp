#include "analysis/analysis_run.h"
#include "app/start_up_chain.h"
#include "app/win32/about_box.h"
#include "app/win32/main_window.h"
#include "cli/win32/console_mode.h"
#include "engine/clean_driver.h"
#include "options/options_logic.h"
#include "options/win32/options_dialog.h"
#include "platform/win32/process_setup.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/window_base.h"
#include "settings/settings_summary.h"
#include "start/app_services.h"
#include "targets/target_catalogue.h"

#include <windows.h>
// After <windows.h>, which they need.
#include <commctrl.h>

namespace dustbane::win32 {
namespace {

int run(HINSTANCE instance, int showCommand) {
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                  ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_PROGRESS_CLASS |
                                      ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_UPDOWN_CLASS |
                                      ICC_DATE_CLASSES};
    InitCommonControlsEx(&controls);

    Win32Platform ports;
    AppServices app(ports.platform);

    MainWindow main(instance, app);
    main.create();
    ports.shell.setOwnerWindow(main.handle());

    SettingsSummary summary(app.settings, app.language, app.model, app.folders, app.targets,
                            &app.store.policy());
    RunContext context{ports.platform, app.settings, app.language,   main,
                       app.model,      app.run,      app.installDir, &app.store.policy()};
    CleanDriver driver(context, summary, stagesOf(targetCatalogue()));
    AnalysisRun analysis(ports.platform, app.settings, app.language, main, app.model, summary,
                         stagesOf(targetCatalogue()), app.installDir, &app.store.policy());
    OptionsLogic options(app, summary, app.model);
    StartUpChain startUp(app, summary, options, main);
    OptionsDialog optionsDialog(instance, app, options, [&main] { main.help(); });
    optionsDialog.create(main.handle());
    AboutBox about(instance, ports.shell);
    about.create(main.handle());

    MainWindowParts parts{summary, driver, analysis, options, startUp, optionsDialog, about};
    main.connect(parts);
    main.show(showCommand);
    // Until the program quits: the main window's destruction posts the quit message.
    return dispatchMessages([] { return false; },
                            [&main](MSG& message) { return main.translateKeys(message); })
        .value_or(0);
}

} // namespace
} // namespace dustbane::win32

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    dustbane::win32::setQuietErrorMode();
    try {
        const dustbane::win32::ComApartment com;
        if (std::optional<int> code = dustbane::win32::runConsoleMode()) {
            return *code;
        }
        return dustbane::win32::run(instance, showCommand);
    } catch (...) {
        dustbane::win32::reportException(std::current_exception());
        return 1;
    }
}

// Without -municode the start-up code of mingw calls the narrow entry.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR, int showCommand) {
    return wWinMain(instance, previous, GetCommandLineW(), showCommand);
}
