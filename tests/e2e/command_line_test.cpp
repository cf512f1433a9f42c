// Dustbane.exe started from a script: /preview lists what /clean then removes, as a set,
// and changes nothing itself; a file held open stays and makes the clean exit with 1; a
// usage error exits with 2 and touches nothing; /unschedule exits with 0 whether or not there
// was a task, and turns the stored schedule off without bringing back removed settings; /json
// reports print one document whose totals are what left the disk.

#include "driver/console_run.h"
#include "driver/driver.h"
#include "driver/held_file.h"
#include "platform/win32/text.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <vector>
#include <windows.h>

namespace dustbane::e2e {
namespace {

using Paths = std::set<std::string>;

std::string tempFolder() {
    wchar_t buffer[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, buffer);
    return win32::narrow(buffer);
}

// Every path below the folder (full paths, without trailing backslash), links not entered.
Paths treeBelow(const std::string& folder) {
    Paths paths;
    std::error_code error;
    const std::filesystem::path root = win32::widen(folder);
    for (auto it = std::filesystem::recursive_directory_iterator(root, error);
         it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
        paths.insert(win32::narrow(it->path().wstring()));
    }
    return paths;
}

// Every file below the folder with its size.
std::map<std::string, uintmax_t> fileSizesBelow(const std::string& folder) {
    std::map<std::string, uintmax_t> sizes;
    for (const std::string& path : treeBelow(folder)) {
        std::error_code error;
        if (std::filesystem::is_regular_file(win32::widen(path), error)) {
            sizes[path] = std::filesystem::file_size(win32::widen(path), error);
        }
    }
    return sizes;
}

Paths treesBelow(const std::vector<std::string>& roots) {
    Paths paths;
    for (const std::string& root : roots) {
        paths.merge(treeBelow(root));
    }
    return paths;
}

// The item lines of a preview: "  file    <size>  <path>" and "  folder  <size>  <path>".
Paths previewItems(const std::vector<std::string>& lines) {
    Paths items;
    for (const std::string& line : lines) {
        if (line.starts_with("  file    ") || line.starts_with("  folder  ")) {
            items.insert(line.substr(line.find("  ", 10) + 2));
        }
    }
    return items;
}

// The items with everything that was below the folders among them.
Paths withContents(const Paths& items, const Paths& before) {
    Paths all = items;
    for (const std::string& item : items) {
        for (const std::string& path : before) {
            if (path.starts_with(item + "\\")) {
                all.insert(path);
            }
        }
    }
    return all;
}

Paths within(const Paths& paths, const Paths& universe) {
    Paths result;
    std::set_intersection(paths.begin(), paths.end(), universe.begin(), universe.end(),
                          std::inserter(result, result.end()));
    return result;
}

class CommandLine : public Scenario {
  protected:
    // A search path with matching and unmatched files, a specific folder and file, the
    // temporary folder and a hot-fix log in the Windows folder.
    void prepare() {
        search = scratch() + "search";
        writeFile(search + "\\x.tmp", "1234");
        writeFile(search + "\\keep.txt", "k");
        writeFile(search + "\\deep\\y.bak", "12");
        writeFile(search + "\\deep\\z.txt", "z");
        createDirectories(search + "\\emptydir");
        writeFile(scratch() + "spec\\f1.dat", std::string(10, 'f'));
        writeFile(scratch() + "spec\\sub\\f2.dat", "f2!");
        writeFile(scratch() + "one.log", "1234567");
        writeFile(tempFolder() + "cli_a.txt", "abc");
        writeFile(tempFolder() + "cli_sub\\b.dat", "12345");
        writeFile(hotfixLog, "1234");

        settings.writeInt("Empfolder", 1);
        settings.writeInt("Logs", 1);
        storeLists();
    }

    // The search path, the folder spec and the file one.log, as a previous OK stored them.
    void storeLists() {
        settings.writeInt("Pathnum", 1);
        settings.writeString("Patha0", search);
        settings.writeInt("Foldernum", 1);
        settings.writeString("Foldera0", scratch() + "spec");
        settings.writeInt("Filenum", 1);
        settings.writeString("Filea0", scratch() + "one.log");
        settings.writeString("Installdir", installDir());
    }

    std::vector<std::string> roots() { return {scratch(), tempFolder()}; }

    std::string search;
    const std::string hotfixLog = "C:\\windows\\KB999001.log";
    const RegKey earth{HKEY_CURRENT_USER, "Software\\Google\\Google Earth Plus"};
};

TEST_F(CommandLine, PreviewListsExactlyWhatTheCleanRemoves) {
    prepare();
    const Paths before = treesBelow(roots());

    const ConsoleRun preview = runConsole({"/preview"});
    ASSERT_EQ(preview.exitCode, 0u) << joined(preview.lines);
    EXPECT_EQ(treesBelow(roots()), before) << "the preview changed files";
    EXPECT_TRUE(fileExists(hotfixLog));
    EXPECT_FALSE(earth.exists());
    EXPECT_FALSE(fileExists(installDir() + "logs.log"));
    const Paths items = previewItems(preview.lines);
    EXPECT_TRUE(items.count(search + "\\x.tmp")) << joined(preview.lines);
    EXPECT_TRUE(items.count(hotfixLog)) << joined(preview.lines);
    EXPECT_TRUE(std::find(preview.lines.begin(), preview.lines.end(),
                          "  file    4  " + search + "\\x.tmp") != preview.lines.end())
        << joined(preview.lines);
    EXPECT_EQ(preview.lines.back(), std::to_string(items.size()) + " items, 38 bytes (38 B)");

    const ConsoleRun clean = runConsole({"-CLEAN"});
    ASSERT_EQ(clean.exitCode, 0u) << joined(clean.lines);
    const Paths after = treesBelow(roots());
    Paths removed;
    std::set_difference(before.begin(), before.end(), after.begin(), after.end(),
                        std::inserter(removed, removed.end()));
    EXPECT_EQ(within(withContents(items, before), before), removed) << joined(preview.lines);
    for (const std::string& item : items) {
        EXPECT_FALSE(fileExists(item) || directoryExists(item)) << item << " stayed";
    }
    EXPECT_TRUE(fileExists(search + "\\keep.txt"));
    EXPECT_TRUE(fileExists(installDir() + "logs.log"));
    EXPECT_TRUE(clean.lines.back().find("moved to the Recycle Bin") != std::string::npos)
        << joined(clean.lines);

    const ConsoleRun again = runConsole({"/preview"});
    ASSERT_EQ(again.exitCode, 0u) << joined(again.lines);
    for (const std::string& item : previewItems(again.lines)) {
        EXPECT_FALSE(item.starts_with(search + "\\")) << item;
    }
}

TEST_F(CommandLine, AFileHeldOpenStaysAndTheCleanExitsWithOne) {
    prepare();
    const std::string locked = search + "\\locked.tmp";
    writeFile(locked, "held");
    HeldFile holder(locked);
    ASSERT_TRUE(holder.holding());

    const ConsoleRun preview = runConsole({"/preview"});
    EXPECT_EQ(preview.exitCode, 1u) << joined(preview.lines);
    EXPECT_FALSE(previewItems(preview.lines).count(locked)) << joined(preview.lines);

    const ConsoleRun clean = runConsole({"/clean"});
    EXPECT_EQ(clean.exitCode, 1u) << joined(clean.lines);
    EXPECT_TRUE(fileExists(locked));
    EXPECT_FALSE(fileExists(search + "\\x.tmp"));
}

// A /json run's document, also saved as C:\reports\<name>.json, where scripts/test.sh
// validates it against docs/report.schema.json once the scenario is over.
nlohmann::json savedDocument(const ConsoleRun& run, const std::string& name) {
    const std::string text = joined(run.lines);
    createDirectories("C:\\reports");
    writeFile("C:\\reports\\" + name + ".json", text);
    return nlohmann::json::parse(text);
}

uint64_t freedBytes(const nlohmann::json& document) {
    return document["totals"]["deleted"]["bytes"].get<uint64_t>() +
           document["totals"]["recycled"]["bytes"].get<uint64_t>();
}

TEST_F(CommandLine, JsonReportsCountWhatLeftTheDiskAndWhatAHeldFileKept) {
    turnOffFixedLocations();
    search = scratch() + "search";
    // Names the document must escape or carry as UTF-8.
    const std::string odd = search + "\\na\xC3\xAFve \xE6\x97\xA5 it's [1].tmp";
    writeFile(odd, "12345");
    writeFile(search + "\\x.tmp", "1234");
    writeFile(search + "\\keep.txt", "k");
    writeFile(search + "\\deep\\y.old", "123");
    writeFile(scratch() + "spec\\f1.dat", std::string(10, 'f'));
    writeFile(scratch() + "spec\\sub\\f2.dat", "f2!");
    writeFile(scratch() + "one.log", "1234567");
    const std::string locked = search + "\\locked.tmp";
    writeFile(locked, "held");
    storeLists();
    HeldFile holder(locked);
    ASSERT_TRUE(holder.holding());
    const auto before = fileSizesBelow(scratch());

    const ConsoleRun preview = runConsole({"/preview", "/JSON"});
    ASSERT_TRUE(preview.exitCode) << joined(preview.lines);
    const nlohmann::json previewed = savedDocument(preview, "preview");
    EXPECT_EQ(previewed["exitCode"].get<DWORD>(), *preview.exitCode);
    EXPECT_EQ(*preview.exitCode, 1u);
    EXPECT_EQ(previewed["command"], "preview");
    EXPECT_EQ(fileSizesBelow(scratch()), before) << "the preview changed files";

    const ConsoleRun clean = runConsole({"-clean", "-json"});
    ASSERT_TRUE(clean.exitCode) << joined(clean.lines);
    const nlohmann::json cleaned = savedDocument(clean, "clean");
    EXPECT_EQ(cleaned["exitCode"].get<DWORD>(), *clean.exitCode);
    EXPECT_EQ(*clean.exitCode, 1u);

    // The bytes of the files that are gone, as the document counts them.
    const auto after = fileSizesBelow(scratch());
    uint64_t removedBytes = 0;
    for (const auto& [path, size] : before) {
        if (!after.count(path)) {
            removedBytes += size;
        }
    }
    EXPECT_FALSE(fileExists(odd));
    EXPECT_EQ(removedBytes, 5u + 4u + 3u + 10u + 3u + 7u);
    EXPECT_EQ(freedBytes(cleaned), removedBytes) << cleaned["totals"].dump();
    EXPECT_EQ(freedBytes(previewed), removedBytes) << previewed["totals"].dump();
    EXPECT_EQ(cleaned["totals"], previewed["totals"]);

    EXPECT_TRUE(fileExists(locked));
    EXPECT_EQ(cleaned["totals"]["kept"], nlohmann::json::parse(R"({"items": 1, "bytes": 4})"));
    bool keptNamed = false;
    for (const nlohmann::json& group : cleaned["groups"]) {
        for (const nlohmann::json& item : group["kept"]) {
            keptNamed = item["path"] == locked && item["reason"] == "in use" &&
                        group["kind"] == "search rule" && group["searchPath"] == search;
        }
    }
    EXPECT_TRUE(keptNamed) << cleaned["groups"].dump(1);
    EXPECT_FALSE(cleaned["computer"].get<std::string>().empty());
    EXPECT_FALSE(cleaned["user"].get<std::string>().empty());
}

TEST_F(CommandLine, AUsageErrorExitsWithTwoAndTouchesNothing) {
    prepare();
    settings.deleteTree();
    const Paths before = treesBelow(roots());

    const ConsoleRun run = runConsole({"/clean", "/bogus"});
    EXPECT_EQ(run.exitCode, 2u);
    EXPECT_EQ(treesBelow(roots()), before);
    EXPECT_TRUE(fileExists(hotfixLog));
    EXPECT_FALSE(settings.exists());
    EXPECT_FALSE(earth.exists());
    EXPECT_TRUE(joined(run.lines).find("/bogus") != std::string::npos) << joined(run.lines);
    EXPECT_TRUE(joined(run.lines).find("Usage: Dustbane.exe") != std::string::npos);
}

TEST_F(CommandLine, UnscheduleExitsWithZeroAndTurnsTheStoredScheduleOff) {
    settings.writeInt("Schedule", 2);
    settings.writeInt("Scheduleday", 3);

    const ConsoleRun run = runConsole({"/unschedule"});
    EXPECT_EQ(run.exitCode, 0u) << joined(run.lines);
    EXPECT_EQ(settings.readInt("Schedule"), 0);
    EXPECT_EQ(settings.readInt("Scheduleday"), 3);
    EXPECT_FALSE(fileExists("C:\\windows\\system32\\tasks\\Dustbane"));

    settings.deleteTree();
    const ConsoleRun again = runConsole({"-UNSCHEDULE"});
    EXPECT_EQ(again.exitCode, 0u) << joined(again.lines);
    EXPECT_TRUE(again.lines.empty()) << joined(again.lines);
    EXPECT_FALSE(settings.exists()) << "the uninstaller may have removed the settings first";
}

} // namespace
} // namespace dustbane::e2e
