// Times a whole clean in the real window against "Dustbane.exe /clean", each on a freshly
// generated tree of .tmp files that the same stored settings delete permanently, every item
// listed. Drives Dustbane.exe as the end-to-end scenarios do, so it runs under Wine beside
// the installed program (scripts/bench.sh); "window_bench.exe FOLDERS FILES" sets the tree.
#include "app/win32/resource_ids.h"
#include "bench_clock.h"
#include "bench_tree.h"
#include "driver/app.h"
#include "driver/console_run.h"
#include "driver/controls.h"
#include "driver/message_box.h"
#include "driver/registry.h"
#include "driver/window.h"
#include "platform/win32/text.h"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace dustbane::bench {
namespace {

const std::string benchFolder = "C:\\bench";
const std::string root = benchFolder + "\\window";
constexpr std::chrono::minutes runTimeout{15};

// Only the search path below root, by the rule for *.tmp, each deleted item listed, nothing
// asked before the run and no log; the fixed locations off.
void storeSettings() {
    const e2e::RegKey settings = e2e::RegKey::settings();
    settings.deleteTree();
    for (const char* stage : {"Tempfolder", "Interfolder", "Errorreport", "Thumbs", "Firefox",
                              "Hotfix", "WDIfile", "Acdsee", "GoogleEarth", "Acrobatreader"}) {
        settings.writeInt(stage, 0);
    }
    for (const auto& [name, value] : {std::pair{"Displaybox", 0},
                                      {"Logs", 0},
                                      {"Recycle", 0},
                                      {"Display", 1},
                                      {"Empfolder", 0},
                                      {"Delfolder", 0},
                                      {"Picthumb", 0},
                                      {"Tempfile", 0},
                                      {"Zerofile", 0},
                                      {"Oldfile", 1},
                                      {"Logfile", 0},
                                      {"Pathnum", 1},
                                      {"Foldernum", 0},
                                      {"Filenum", 0},
                                      {"Pathexnum", 0}}) {
        settings.writeInt(name, value);
    }
    settings.writeString("FilesName", "");
    settings.writeString("Ext", "");
    settings.writeString("Patha0", root);
}

// From the click on Clean to the status strip's word that the run is over; the program is
// started and settled before, and closed after.
double windowClean() {
    const e2e::App app = e2e::App::launch();
    const HWND window = app.waitForMainWindow();
    if (!window) {
        throw std::runtime_error("Dustbane.exe showed no main window");
    }
    // Stored settings with Recycle off ask whether permanent deletion is meant.
    e2e::answerMessageBox("Confirmation", IDYES);
    const HWND list = e2e::findChild(window, "SysListView32");
    const HWND status = e2e::findChild(window, "msctls_statusbar32");
    if (!list || !status || !e2e::waitUntil([&] { return e2e::listViewCount(list) > 0; })) {
        throw std::runtime_error("the main window did not settle");
    }
    bool ended = false;
    const double seconds = secondsFor([&] {
        e2e::postCommand(window, IDC_TOOL_CLEAN);
        // WM_GETTEXT answers the first part without a buffer in the program's memory, whose
        // allocation and release there would add work to the run being timed. The part goes
        // on with what the run freed.
        ended = e2e::waitUntil(
            [&] { return e2e::windowText(status).rfind(" Cleaned over.", 0) == 0; }, runTimeout);
    });
    if (!ended) {
        throw std::runtime_error("the clean in the window did not end");
    }
    const int lines = e2e::listViewCount(list);
    if (app.close() != 0u) {
        throw std::runtime_error("Dustbane.exe did not close cleanly");
    }
    std::printf("  %-26s %8.3f s  %d lines, %llu files left\n", "clean in the window", seconds,
                lines, static_cast<unsigned long long>(enumerateTree(root).files));
    return seconds;
}

// The whole program run, start-up included, as a script waits for it.
double commandClean() {
    e2e::ConsoleRun run;
    const double seconds = secondsFor([&] { run = e2e::runConsole({"/clean"}, runTimeout); });
    if (run.exitCode != 0u) {
        throw std::runtime_error("Dustbane.exe /clean failed");
    }
    std::printf("  %-26s %8.3f s  %zu lines printed, %llu files left\n", "Dustbane.exe /clean",
                seconds, run.lines.size(),
                static_cast<unsigned long long>(enumerateTree(root).files));
    return seconds;
}

TreeShape shapeFrom(int argc, char** argv) {
    TreeShape shape{1, 100, 200, FileNames::AllTmp};
    if (argc == 3) {
        shape.subfoldersEach = std::atoi(argv[1]);
        shape.filesPerFolder = std::atoi(argv[2]);
    }
    if (shape.subfoldersEach < 1 || shape.filesPerFolder < 1) {
        throw std::runtime_error("usage: window_bench.exe [FOLDERS FILES]");
    }
    return shape;
}

int run(int argc, char** argv) {
    const TreeShape shape = shapeFrom(argc, argv);
    removeTree(root);
    CreateDirectoryW(win32::widen(benchFolder).c_str(), nullptr);
    storeSettings();
    std::printf("tree: %llu .tmp files in %llu folders, all selected, deleted permanently\n",
                static_cast<unsigned long long>(shape.files()),
                static_cast<unsigned long long>(shape.folders()));

    freshTree(root, shape);
    const double window = windowClean();
    freshTree(root, shape);
    const double command = commandClean();
    std::printf("  window: %.2fx /clean; %.3f ms per item in the window, %.3f with /clean\n",
                window / command, window * 1000 / static_cast<double>(shape.files()),
                command * 1000 / static_cast<double>(shape.files()));

    removeTree(root);
    RemoveDirectoryW(win32::widen(benchFolder).c_str());
    return 0;
}

} // namespace
} // namespace dustbane::bench

int main(int argc, char** argv) {
    try {
        return dustbane::bench::run(argc, argv);
    } catch (const std::exception& error) {
        std::printf("%s\n", error.what());
        return 1;
    }
}
