// Times Dustbane's search-path scan, with the real adapters, against a bare walk, a bare
// delete loop and cmd's del, each timed case on a freshly generated copy of one tree: once
// with the share of files the rules select, once with every file selected. The analysis of
// the same tree, which must leave it as it was, is timed against the bare walk. Run under
// Wine by scripts/bench.sh; "bench.exe TOP SUB FILES" sets the tree's shape.
#include "analysis/analysis_run.h"
#include "bench_clock.h"
#include "bench_tree.h"
#include "bench_window.h"
#include "call_tally.h"
#include "engine/search_scan.h"
#include "platform/win32/handles.h"
#include "platform/win32/text.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_prompter.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_system.h"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <vector>

namespace dustbane::bench {
namespace {

const std::string benchFolder = "C:\\bench";
const std::string root = benchFolder + "\\tree";

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

// The rules the generated names are made for, deleting permanently and listing each item;
// the files are empty, so no zero-size rule. Everything adds the plain files' extension.
void select(CleanSettings& settings, Selection selection) {
    selectNothing(settings);
    settings.Picthumb = true;
    settings.Tempfile = true;
    settings.Oldfile = true;
    settings.Logfile = true;
    settings.Recycle = false;
    settings.Display = true;
    if (selection == Selection::Everything) {
        settings.Ext = "dat";
    }
}

uint64_t filesLeft() {
    return enumerateTree(root).files;
}

std::vector<std::string> delPatterns(Selection selection) {
    if (selection == Selection::Everything) {
        return {"*"};
    }
    return {"*.tmp", "*.bak", "*.log", "~*", "Thumbs.db"};
}

void runDel(Selection selection) {
    std::wstring command = L"cmd.exe /c del /s /q";
    for (const std::string& pattern : delPatterns(selection)) {
        command += L" " + win32::widen(root + "\\" + pattern);
    }
    command += L" >NUL";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        throw std::runtime_error("could not start cmd.exe");
    }
    win32::UniqueKernelHandle processHandle(process.hProcess);
    win32::UniqueKernelHandle threadHandle(process.hThread);
    WaitForSingleObject(process.hProcess, INFINITE);
}

// Dustbane's scan over the real file system, registry and shell, listing into a stand-in
// window; a new run each time.
class Scanner {
  public:
    struct Result {
        double seconds = 0;
        int deleted = 0;
        size_t lines = 0;
    };

    Result scan(Selection selection, bool selectAny) {
        CleanSettings settings;
        if (selectAny) {
            select(settings, selection);
        } else {
            selectNothing(settings);
        }
        BenchWindow window;
        CleanRun cleanRun;
        cleanRun.recycleAllowed = true;
        cleanRun.listEachItem = true;
        RunContext context{platform_,    settings, language_,         window,
                           window.model, cleanRun, benchFolder + "\\"};
        Deletion deletion(context);
        Result result;
        result.seconds = secondsFor([&] { scanSearchPath(deletion, root); });
        result.deleted = window.model.deletedCount();
        result.lines = window.model.lines().size();
        return result;
    }

  private:
    win32::Win32FileSystem files_;
    win32::Win32Registry registry_;
    win32::Win32Shell shell_;
    win32::Win32System system_;
    win32::Win32Prompter prompter_;
    win32::Win32TaskScheduler scheduler_;
    Platform platform_{files_, registry_, shell_, system_, prompter_, scheduler_};
    LanguageTable language_;
};

// Dustbane's analysis as the Analyze command runs it: the AnalysisRun over the real adapters,
// with the tree the one search path and no fixed location. Each analysis goes through the
// file system given, the real one or a tally of it.
class Analyzer {
  public:
    struct Result {
        double seconds = 0;
        int found = 0;
    };

    explicit Analyzer(FileSystem& files) : files_(files) { settings_.PathList = {{root, true}}; }

    Result analyze(Selection selection) {
        select(settings_, selection);
        Result result;
        result.seconds = secondsFor([&] { analysis_.runTick(); });
        result.found = window_.model.deletedCount();
        return result;
    }

  private:
    win32::Win32Platform ports_;
    FileSystem& files_;
    Platform platform_{files_,        ports_.registry, ports_.shell,
                       ports_.system, ports_.prompter, ports_.scheduler};
    CleanSettings settings_;
    LanguageTable language_;
    BenchWindow window_;
    ProtectedFolders folders_{ports_.shell, files_};
    SettingsSummary summary_{settings_, language_, window_.model, folders_};
    AnalysisRun analysis_{platform_, settings_, language_,          window_, window_.model,
                          summary_,  {},        benchFolder + "\\", nullptr};
};

void printTime(const char* what, double seconds, const std::string& note) {
    std::printf("  %-28s %8.3f s  %s\n", what, seconds, note.c_str());
}

std::string leftNote(uint64_t deleted, uint64_t left) {
    return std::to_string(deleted) + " deleted, " + std::to_string(left) + " files left";
}

void timeDeletions(Scanner& scanner, const TreeShape& shape, Selection selection) {
    const bool everything = selection == Selection::Everything;
    const uint64_t selected = everything ? shape.files() : shape.folders() * matchingPerFolder();
    std::printf("%s: %llu of %llu files selected\n", everything ? "every file" : "rules' share",
                static_cast<unsigned long long>(selected),
                static_cast<unsigned long long>(shape.files()));

    freshTree(root, shape);
    uint64_t bareDeleted = 0;
    const double bare = secondsFor([&] { bareDeleted = deleteSelected(root, selection); });
    printTime("bare delete loop", bare, leftNote(bareDeleted, filesLeft()));

    freshTree(root, shape);
    const Scanner::Result scan = scanner.scan(selection, true);
    printTime("Dustbane's deleting scan", scan.seconds,
              leftNote(static_cast<uint64_t>(scan.deleted), filesLeft()) + ", " +
                  std::to_string(scan.lines) + " lines");

    freshTree(root, shape);
    const double del = secondsFor([&] { runDel(selection); });
    printTime("cmd /c del /s /q", del, std::to_string(filesLeft()) + " files left");

    std::printf("  deleting scan: %.2fx the bare delete loop, %.2fx del\n", scan.seconds / bare,
                scan.seconds / del);
}

// The files and folders the tree holds now; throws when an analysis changed them, so that no
// figure can come from a run that deleted.
std::string unchangedNote(const TreeShape& shape) {
    const TreeCounts counts = enumerateTree(root);
    if (counts.files != shape.files() ||
        counts.folders != shape.folders() + static_cast<uint64_t>(shape.topFolders)) {
        throw std::runtime_error("the analysis changed the tree: " + std::to_string(counts.files) +
                                 " files and " + std::to_string(counts.folders) + " folders left");
    }
    return std::to_string(counts.files) + " files left";
}

// Where an analysis of the selection spends its time on the file system: each kind of call
// per selected file, and its time each.
void printCallsPerFile(CallTally& tally, Analyzer& analyzer, Selection selection) {
    tally.clear();
    const Analyzer::Result result = analyzer.analyze(selection);
    std::printf("  calls per selected file (%d found, %.3f s with the tally):\n", result.found,
                result.seconds);
    for (const auto& [name, calls] : tally.calls()) {
        std::printf("    %-20s %6.2f calls, %7.1f us each, %6.3f s in all\n", name.c_str(),
                    static_cast<double>(calls.count) / result.found,
                    calls.seconds * 1e6 / static_cast<double>(calls.count), calls.seconds);
    }
}

// The analysis of each selection against the bare walk, on the tree as generated, and then
// once more through a tally of the file system's calls.
void timeAnalyses(const TreeShape& shape, double walk) {
    win32::Win32FileSystem files;
    Analyzer analyzer(files);
    const Selection selections[] = {Selection::Generated, Selection::Everything};
    const char* names[] = {"analysis, rules' share", "analysis, every file"};
    double seconds[2] = {};
    for (int i = 0; i < 2; ++i) {
        const Analyzer::Result result = analyzer.analyze(selections[i]);
        seconds[i] = result.seconds;
        printTime(names[i], result.seconds,
                  std::to_string(result.found) + " found, " + unchangedNote(shape));
    }
    std::printf("  analysis: %.2fx the bare walk with the rules' share, %.2fx with every file\n",
                seconds[0] / walk, seconds[1] / walk);

    CallTally tally(files);
    Analyzer tallied(tally);
    for (const Selection selection : selections) {
        printCallsPerFile(tally, tallied, selection);
        unchangedNote(shape);
    }
}

TreeShape shapeFrom(int argc, char** argv) {
    TreeShape shape;
    if (argc == 4) {
        shape.topFolders = std::atoi(argv[1]);
        shape.subfoldersEach = std::atoi(argv[2]);
        shape.filesPerFolder = std::atoi(argv[3]);
    }
    if (shape.topFolders < 1 || shape.subfoldersEach < 1 ||
        shape.filesPerFolder < matchingPerFolder()) {
        throw std::runtime_error("usage: bench.exe [TOP SUB FILES], FILES at least " +
                                 std::to_string(matchingPerFolder()));
    }
    return shape;
}

int run(int argc, char** argv) {
    const TreeShape shape = shapeFrom(argc, argv);
    removeTree(root);
    CreateDirectoryW(win32::widen(benchFolder).c_str(), nullptr);
    double generation = secondsFor([&] { freshTree(root, shape); });
    std::printf("tree: %llu files in %llu folders, generated afresh for each case (%.2f s)\n",
                static_cast<unsigned long long>(shape.files()),
                static_cast<unsigned long long>(shape.folders()), generation);

    Scanner scanner;
    TreeCounts counts;
    const double walk = secondsFor([&] { counts = enumerateTree(root); });
    printTime("bare FindFirstFileExW walk", walk,
              std::to_string(counts.files) + " files, " + std::to_string(counts.folders) +
                  " folders");
    freshTree(root, shape);
    const Scanner::Result nothing = scanner.scan(Selection::Generated, false);
    printTime("scan, nothing selected", nothing.seconds,
              std::to_string(nothing.deleted) + " deleted");
    std::printf("  scan with nothing selected: %.2fx the bare walk\n", nothing.seconds / walk);
    timeAnalyses(shape, walk);

    timeDeletions(scanner, shape, Selection::Generated);
    timeDeletions(scanner, shape, Selection::Everything);

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
