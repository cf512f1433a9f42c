// Times the search-path scan against a bare enumeration and against cmd's del on one
// generated tree, with the real adapters. Run under Wine by scripts/bench.sh.
#include "bench_tree.h"
#include "bench_window.h"
#include "engine/search_scan.h"
#include "platform/win32/handles.h"
#include "platform/win32/text.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_prompter.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_system.h"

#include <cstdio>
#include <functional>

namespace dustbane::bench {
namespace {

const std::string benchFolder = "C:\\bench";
const std::string root = benchFolder + "\\tree";

double secondsFor(const std::function<void()>& work) {
    LARGE_INTEGER frequency;
    LARGE_INTEGER start;
    LARGE_INTEGER end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    work();
    QueryPerformanceCounter(&end);
    return static_cast<double>(end.QuadPart - start.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

// The file rules all off: the scan only walks.
void selectNothing(CleanSettings& settings) {
    settings.Picthumb = false;
    settings.Tempfile = false;
    settings.Zerofile = false;
    settings.Oldfile = false;
    settings.Logfile = false;
    settings.FilesName.clear();
    settings.Ext.clear();
    settings.Empfolder = false;
}

// The rules the generated names are made for; the files are empty, so no zero-size rule.
void selectGenerated(CleanSettings& settings) {
    selectNothing(settings);
    settings.Picthumb = true;
    settings.Tempfile = true;
    settings.Oldfile = true;
    settings.Logfile = true;
    settings.Recycle = false;
    settings.Display = true;
}

bool runDel() {
    std::wstring command = L"cmd.exe /c del /s /q";
    for (const char* pattern : {"*.tmp", "*.bak", "*.log", "~*", "Thumbs.db"}) {
        command += L" " + win32::widen(root + "\\" + pattern);
    }
    command += L" >NUL";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return false;
    }
    win32::UniqueKernelHandle processHandle(process.hProcess);
    win32::UniqueKernelHandle threadHandle(process.hThread);
    WaitForSingleObject(process.hProcess, INFINITE);
    return true;
}

void printLine(const char* what, double seconds, double bare, const char* note) {
    std::printf("%-34s %7.3f s  %6.2fx bare  %s\n", what, seconds, seconds / bare, note);
}

int run() {
    removeTree(root);
    CreateDirectoryW(win32::widen(benchFolder).c_str(), nullptr);
    const TreeShape shape;
    bool generated = false;
    const double generation = secondsFor([&] { generated = generateTree(root, shape); });
    if (!generated) {
        std::printf("could not generate the tree below %s\n", root.c_str());
        return 1;
    }
    enumerateTree(root); // warms the caches for every timed walk that follows
    TreeCounts counts;
    const double bare = secondsFor([&] { counts = enumerateTree(root); });
    const uint64_t selected = static_cast<uint64_t>(shape.topFolders) * shape.subfoldersEach *
                              static_cast<uint64_t>(matchingPerFolder());
    std::printf("tree: %llu files in %llu folders (%d holding files), %llu of them selected; "
                "generated in %.2f s\n",
                static_cast<unsigned long long>(counts.files),
                static_cast<unsigned long long>(counts.folders),
                shape.topFolders * shape.subfoldersEach, static_cast<unsigned long long>(selected),
                generation);

    printLine("bare FindFirstFileExW walk:", bare, bare, "");

    win32::Win32FileSystem files;
    win32::Win32Registry registry;
    win32::Win32Shell shell;
    win32::Win32System system;
    win32::Win32Prompter prompter;
    Platform platform{files, registry, shell, system, prompter};
    CleanSettings settings;
    LanguageTable language;
    BenchWindow window;
    CleanRun cleanRun;
    cleanRun.recycleAllowed = true;
    cleanRun.listEachItem = true;
    RunContext context{platform,     settings, language,          window,
                       window.model, cleanRun, benchFolder + "\\"};
    Deletion deletion(context);

    selectNothing(settings);
    const double walkOnly = secondsFor([&] { scanSearchPath(deletion, root); });
    char note[160];
    std::snprintf(note, sizeof note, "%d deleted", window.model.deletedCount());
    printLine("scan, nothing selected:", walkOnly, bare, note);

    selectGenerated(settings);
    const uint64_t pumpsBefore = window.pumps;
    const double scanDelete = secondsFor([&] { scanSearchPath(deletion, root); });
    const TreeCounts afterScan = enumerateTree(root);
    std::snprintf(note, sizeof note, "%d deleted, %zu lines, %llu files left; %llu pumps, %llu due",
                  window.model.deletedCount(), window.model.lines().size(),
                  static_cast<unsigned long long>(afterScan.files),
                  static_cast<unsigned long long>(window.pumps - pumpsBefore),
                  static_cast<unsigned long long>(window.duePumps));
    printLine("scan, deleting the selected files:", scanDelete, bare, note);

    removeTree(root);
    if (!generateTree(root, shape)) {
        std::printf("could not generate the tree again\n");
        return 1;
    }
    enumerateTree(root);
    bool started = false;
    const double del = secondsFor([&] { started = runDel(); });
    if (!started) {
        std::printf("could not start cmd.exe\n");
        return 1;
    }
    const TreeCounts afterDel = enumerateTree(root);
    std::snprintf(note, sizeof note, "%llu files left",
                  static_cast<unsigned long long>(afterDel.files));
    printLine("cmd /c del /s /q, same patterns:", del, bare, note);
    std::printf("scan deleting / del: %.2fx\n", scanDelete / del);

    removeTree(root);
    RemoveDirectoryW(win32::widen(benchFolder).c_str());
    return 0;
}

} // namespace
} // namespace dustbane::bench

int main() {
    return dustbane::bench::run();
}
