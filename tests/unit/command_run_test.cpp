#include "cli/command_run.h"
#include "engine/clean_driver.h"
#include "engine_fixture.h"
#include "fakes/fake_platform.h"
#include "settings/policy.h"
#include "settings/settings_store.h"
#include "settings/settings_summary.h"
#include "targets/target_catalogue.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace dustbane::testing {
namespace {

const std::string installDir = "C:\\Program Files\\Dustbane\\";
const std::string logPath = installDir + "logs.log";
const std::string temp = "C:\\users\\tester\\Temp\\";
const std::string earthKey = "\\Software\\Google\\Google Earth Plus";

using Lines = std::vector<std::string>;

// One machine over the fakes, with stored settings and a tree that every kind of stage
// finds something in: the temp folder, the Windows folder's hot-fix leftovers, a specific
// folder and file, and a search path with matching, unmatched and linked entries.
struct Machine {
    Machine() {
        auto setInt = [this](const char* name, int32_t value) {
            fake.registry.set(settingsKeyPath, name, value);
        };
        auto setText = [this](const char* name, const std::string& value) {
            fake.registry.set(settingsKeyPath, name, value);
        };
        setText("Installdir", installDir);
        setInt("Logs", 1);
        setInt("Empfolder", 1);
        setInt("Pathnum", 1);
        setText("Patha0", "C:\\search");
        setInt("Foldernum", 1);
        setText("Foldera0", "C:\\spec");
        setInt("Filenum", 1);
        setText("Filea0", "C:\\one.log");

        FakeFileSystem& files = fake.files;
        files.addFolder(installDir);
        files.addFile(temp + "a.txt", "abc");
        files.addFile(temp + "sub\\b.dat", "12345");
        files.addFile(temp + ".keep", "k");
        files.addFile("C:\\elsewhere\\big.tmp", std::string(100, 'b'));
        files.addFolderLink(temp + "lnk", "C:\\elsewhere");
        files.addFile("C:\\windows\\KB123.log", "1234");
        files.addFile("C:\\windows\\$NtUninstallKB1$\\x.dat", "123456");
        files.addFile("C:\\spec\\f1.dat", std::string(10, 'f'));
        files.addFile("C:\\spec\\sub\\f2.dat", "f2!");
        files.addFile("C:\\one.log", "1234567", attributes::readOnly);
        files.addFile("C:\\search\\x.tmp", "1234");
        files.addFile("C:\\search\\keep.txt", "k");
        files.addFile("C:\\search\\deep\\y.bak", "12");
        files.addFile("C:\\search\\deep\\z.txt", "z");
        files.addFolder("C:\\search\\emptydir");
        files.addFolderLink("C:\\search\\link2", "C:\\elsewhere");
    }

    int run(std::vector<std::string> arguments) {
        printed.clear();
        return runCommand(parseCommandLine(arguments), fake.platform,
                          [this](const std::string& line) { printed.push_back(line); });
    }

    // Every path on drive C: with its attributes.
    std::vector<std::pair<std::string, uint32_t>> tree() const {
        std::vector<std::pair<std::string, uint32_t>> result;
        for (const std::string& path : fake.files.treeBelow("C:")) {
            result.emplace_back(path, fake.files.attributesOf(path).value_or(0));
        }
        return result;
    }

    std::vector<std::string> registry() {
        std::vector<std::string> result;
        for (const auto& [key, data] : fake.registry.keys()) {
            result.push_back(key);
            for (const auto& [name, value] : data.values) {
                result.push_back(key + "|" + name);
            }
        }
        return result;
    }

    // The paths of the printed item lines, with each folder's whole tree as it stood before.
    std::set<std::string> itemPaths(const std::vector<std::string>& treeBefore) const {
        std::set<std::string> paths;
        for (const std::string& line : printed) {
            for (const std::string kind : {"  file    ", "  folder  "}) {
                if (line.starts_with(kind)) {
                    std::string path = line.substr(line.find("  ", kind.size()) + 2);
                    paths.insert(path);
                    for (const std::string& below : treeBefore) {
                        if (below.starts_with(path + "\\")) {
                            paths.insert(below);
                        }
                    }
                }
            }
        }
        return paths;
    }

    FakePlatform fake;
    Lines printed;
};

std::set<std::string> removedPaths(const std::vector<std::string>& before, const Machine& after) {
    std::set<std::string> removed;
    for (const std::string& path : before) {
        if (!after.fake.files.exists(path)) {
            removed.insert(path);
        }
    }
    return removed;
}

bool printedLine(const Lines& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST(CommandRun, PreviewListsItemsWithSizesUnderTheirHeadingsAndChangesNothing) {
    Machine machine;
    const auto tree = machine.tree();
    const auto registry = machine.registry();

    EXPECT_EQ(machine.run({"/preview"}), exit_code::success);

    EXPECT_EQ(machine.tree(), tree);
    EXPECT_EQ(machine.registry(), registry);
    EXPECT_FALSE(machine.fake.registry.keyExists(RegistryRoot::CurrentUser, earthKey));
    EXPECT_FALSE(machine.fake.files.exists(logPath));
    EXPECT_EQ(machine.fake.system.soundsPlayed, 0);
    EXPECT_TRUE(machine.fake.shell.recycleCalls.empty());
    EXPECT_TRUE(machine.fake.prompter.questions.empty());

    const Lines& out = machine.printed;
    const std::string began = "10:42:07 Began Clean Temporary Folder (C:\\users\\tester\\Temp\\)";
    const auto beganAt = std::find(out.begin(), out.end(), began);
    ASSERT_NE(beganAt, out.end());
    // Files from their entries, folders summed, a link as itself.
    EXPECT_EQ(*(beganAt + 1), "  file    3  " + temp + "a.txt");
    EXPECT_EQ(*(beganAt + 2), "  folder  0  " + temp + "lnk");
    EXPECT_EQ(*(beganAt + 3), "  folder  5  " + temp + "sub");
    for (const std::string line :
         {"  folder  6  C:\\windows\\$NtUninstallKB1$", "  file    4  C:\\windows\\KB123.log",
          "  file    10  C:\\spec\\f1.dat", "  folder  3  C:\\spec\\sub",
          "  file    7  C:\\one.log", "  file    2  C:\\search\\deep\\y.bak",
          "  folder  0  C:\\search\\emptydir", "  file    4  C:\\search\\x.tmp",
          "10:42:07 Began Search C:\\search", "10:42:07 Successfully Clean C:\\spec"}) {
        EXPECT_TRUE(printedLine(out, line)) << line;
    }
    // With Display set the window lists items by their path alone; here the item lines do.
    EXPECT_FALSE(printedLine(out, "C:\\search\\x.tmp"));
    for (const std::string& line : out) {
        EXPECT_EQ(line.find("Clean finished"), std::string::npos) << line;
        EXPECT_EQ(line.find("elsewhere"), std::string::npos) << line;
    }
    EXPECT_EQ(out.back(), "11 items, 44 bytes (44 B)");
}

// The browser and program caches are previewed as the ten locations are: their items with
// sizes under their headings, counted in the total, and nothing of them or beside them goes.
TEST(CommandRun, PreviewListsTheBrowserAndProgramCachesAndDeletesNothing) {
    Machine machine;
    machine.fake.registry.set(settingsKeyPath, "ChromeCache", int32_t{1});
    machine.fake.registry.set(settingsKeyPath, "DiscordCache", int32_t{1});
    const std::string chrome = "C:\\users\\tester\\AppData\\Local\\Google\\Chrome\\User Data\\";
    const std::string discord = "C:\\users\\tester\\AppData\\Roaming\\discord\\";
    FakeFileSystem& files = machine.fake.files;
    files.addFile(chrome + "Default\\Cache\\Cache_Data\\f_000001", "12345678");
    files.addFile(chrome + "Default\\Code Cache\\js\\index", "123");
    files.addFile(chrome + "Profile 1\\GPUCache\\data_1", "12");
    files.addFile(chrome + "Default\\Cookies", "cookies");
    files.addFile(chrome + "Default\\History", "history");
    files.addFile(chrome + "Default\\Bookmarks", "bookmarks");
    files.addFile(discord + "Cache\\Cache_Data\\data_0", "123456");
    files.addFile(discord + "Local Storage\\leveldb\\000003.log", "tokens");
    const auto tree = machine.tree();

    EXPECT_EQ(machine.run({"/preview"}), exit_code::success);

    EXPECT_EQ(machine.tree(), tree);
    const Lines& out = machine.printed;
    for (const std::string& line :
         Lines{"10:42:07 Clean Google Chrome",
               "  folder  8  " + chrome + "Default\\Cache\\Cache_Data",
               "  folder  3  " + chrome + "Default\\Code Cache\\js",
               "  file    2  " + chrome + "Profile 1\\GPUCache\\data_1", "10:42:07 Clean Discord",
               "  folder  6  " + discord + "Cache\\Cache_Data"}) {
        EXPECT_TRUE(printedLine(out, line)) << line;
    }
    for (const std::string& line : out) {
        for (const char* kept : {"Cookies", "History", "Bookmarks", "Local Storage"}) {
            EXPECT_EQ(line.find(kept), std::string::npos) << line;
        }
    }
    // The ten locations' and the user's 11 items and 44 bytes, and these four.
    EXPECT_EQ(out.back(), "15 items, 63 bytes (63 B)");
}

// Preview, then clean on an identical machine: what the preview lists is what goes.
class PreviewMatchesClean : public ::testing::TestWithParam<bool> {};

TEST_P(PreviewMatchesClean, OnTheSameTree) {
    Machine previewed;
    Machine cleaned;
    const bool locked = GetParam();
    if (locked) {
        for (Machine* machine : {&previewed, &cleaned}) {
            machine->fake.files.lock(temp + "sub\\b.dat");
            machine->fake.files.lock("C:\\search\\x.tmp");
        }
    }
    const std::vector<std::string> before = cleaned.fake.files.treeBelow("C:");

    const int previewCode = previewed.run({"/preview"});
    const int cleanCode = cleaned.run({"/clean"});

    const std::set<std::string> listed = previewed.itemPaths(before);
    EXPECT_EQ(listed, removedPaths(before, cleaned));
    EXPECT_FALSE(listed.empty());
    EXPECT_EQ(previewCode, locked ? exit_code::itemsStayed : exit_code::success);
    EXPECT_EQ(cleanCode, locked ? exit_code::itemsStayed : exit_code::success);
    if (locked) {
        EXPECT_TRUE(cleaned.fake.files.exists(temp + "sub\\b.dat"));
        EXPECT_TRUE(cleaned.fake.files.exists("C:\\search\\x.tmp"));
        EXPECT_FALSE(listed.count(temp + "sub"));
        EXPECT_TRUE(listed.count(temp + "sub\\b.dat") == 0);
    }
    // What a link points at is never touched.
    EXPECT_TRUE(cleaned.fake.files.exists("C:\\elsewhere\\big.tmp"));

    // The clean's own account agrees with the preview's total.
    const std::string cleanTotal = cleaned.printed.back();
    const std::string previewTotal = previewed.printed.back();
    EXPECT_EQ(cleanTotal.substr(0, cleanTotal.find(',')),
              previewTotal.substr(0, previewTotal.find(',')));

    // A second preview after the clean finds nothing left in the search path.
    cleaned.run({"/preview"});
    for (const std::string& line : cleaned.printed) {
        EXPECT_FALSE(line.starts_with("  ") && line.find("C:\\search\\") != std::string::npos &&
                     line.find("x.tmp") == std::string::npos)
            << line;
    }
}

INSTANTIATE_TEST_SUITE_P(CommandRun, PreviewMatchesClean, ::testing::Values(false, true),
                         [](const auto& test) { return test.param ? "WithLockedFiles" : "Free"; });

TEST(CommandRun, CleanPrintsTheResultLinesAndSplitsTheBytesByHowTheyWent) {
    Machine machine;
    EXPECT_EQ(machine.run({"/clean"}), exit_code::success);

    const Lines& out = machine.printed;
    // The main list's lines: with Display set, each recycled item by its path.
    EXPECT_TRUE(printedLine(out, "C:\\search\\x.tmp"));
    EXPECT_TRUE(printedLine(out, "C:\\search\\emptydir (Empty folder)"));
    EXPECT_TRUE(printedLine(out, "10:42:07 Clean finished: 11 files or folders had been cleaned."))
        << ::testing::PrintToString(out);
    EXPECT_EQ(out.back(), "11 items, 18 bytes (18 B) deleted permanently, 26 bytes (26 B) moved "
                          "to the Recycle Bin");
    // The end steps of a run, without the question about the bins.
    EXPECT_TRUE(machine.fake.files.exists(logPath));
    EXPECT_NE(machine.fake.files.contentsOf(logPath).find("Clean finished: 11"), std::string::npos);
    EXPECT_EQ(machine.fake.system.soundsPlayed, 1);
    EXPECT_EQ(machine.fake.shell.emptyCalls, 0);
    EXPECT_TRUE(machine.fake.prompter.questions.empty());
    // As the window's run does, the Google Earth stage leaves its key behind.
    EXPECT_TRUE(machine.fake.registry.keyExists(RegistryRoot::CurrentUser, earthKey));
}

TEST(CommandRun, AnEscapingErrorIsPrintedAndExitsWithThree) {
    Lines printed;
    const LineSink print = [&printed](const std::string& line) { printed.push_back(line); };
    EXPECT_EQ(runPrintingErrors([]() -> int { throw std::runtime_error("no registry"); }, print),
              exit_code::unexpectedError);
    EXPECT_EQ(runPrintingErrors([]() -> int { throw 42; }, print), exit_code::unexpectedError);
    EXPECT_EQ(printed,
              (Lines{"Dustbane stopped: no registry", "Dustbane stopped on an unexpected error."}));
    EXPECT_EQ(runPrintingErrors([] { return exit_code::itemsStayed; }, print),
              exit_code::itemsStayed);
}

TEST(CommandRun, EmptyBinEmptiesTheBinsAfterTheCleanAndRecordsIt) {
    Machine machine;
    EXPECT_EQ(machine.run({"/clean", "/emptybin"}), exit_code::success);
    EXPECT_EQ(machine.fake.shell.emptyCalls, 1);
    EXPECT_NE(machine.fake.files.contentsOf(logPath).find("Finished clear all recycle bins"),
              std::string::npos);
}

TEST(CommandRun, ALogThatCannotBeWrittenIsPrintedAndFailsTheRun) {
    Machine machine;
    machine.fake.files.failWrites("The disk is full.");
    EXPECT_EQ(machine.run({"/clean"}), exit_code::itemsStayed);
    EXPECT_TRUE(
        std::any_of(machine.printed.begin(), machine.printed.end(), [](const std::string& line) {
            return line.find("The disk is full.") != std::string::npos;
        }));
    EXPECT_TRUE(machine.fake.prompter.errors.empty());
}

TEST(CommandRun, UsageErrorsTouchNothingAndUsageIsPrinted) {
    for (const std::vector<std::string>& arguments :
         std::vector<std::vector<std::string>>{{"/bogus"}, {"/clean", "/x"}, {"/emptybin"}}) {
        Machine machine;
        const auto tree = machine.tree();
        const auto registry = machine.registry();
        EXPECT_EQ(machine.run(arguments), exit_code::usageError);
        EXPECT_EQ(machine.tree(), tree);
        EXPECT_EQ(machine.registry(), registry);
        EXPECT_TRUE(printedLine(machine.printed, usageLines().front()));
    }
    Machine machine;
    EXPECT_EQ(machine.run({"/?"}), exit_code::success);
    EXPECT_EQ(machine.printed, usageLines());
}

TEST(CommandRun, PreviewOfAMachineWithoutSettingsReadsWhatACreatedKeyWouldGive) {
    FakePlatform fake;
    fake.files.addFile("C:\\scan\\a.tmp", "12");
    Lines printed;
    runCommand(parseCommandLine({"/preview"}), fake.platform,
               [&printed](const std::string& line) { printed.push_back(line); });
    EXPECT_EQ(printed.front(),
              "No saved settings: this preview shows what the start-up settings would delete.");
    // Without a stored list the search path is "C:" (the whole drive), as for the window.
    EXPECT_TRUE(printedLine(printed, "  file    2  C:\\scan\\a.tmp"))
        << ::testing::PrintToString(printed);
    EXPECT_TRUE(fake.registry.keys().empty());
}

TEST(CommandRun, CleanWithoutSavedSettingsTouchesNothing) {
    // Never configured, then started and closed once: the window's values are no settings.
    for (bool windowValues : {false, true}) {
        FakePlatform fake;
        if (windowValues) {
            for (const char* name : {"Left", "Top", "Width", "Height", "DisplayText"}) {
                fake.registry.set(settingsKeyPath, name, int32_t{100});
            }
        }
        fake.files.addFile("C:\\project\\pkg\\__init__.py", "");
        fake.files.addFile("C:\\project\\build.log", "log");
        fake.files.addFile("C:\\project\\report.bak", "bak");
        const auto tree = fake.files.treeBelow("C:");
        const auto keys = fake.registry.keys();
        Lines printed;
        EXPECT_EQ(runCommand(parseCommandLine({"/clean"}), fake.platform,
                             [&printed](const std::string& line) { printed.push_back(line); }),
                  exit_code::usageError);
        EXPECT_EQ(fake.files.treeBelow("C:"), tree);
        EXPECT_EQ(fake.registry.keys().size(), keys.size());
        EXPECT_EQ(fake.registry.keyExists(RegistryRoot::CurrentUser, settingsKeyPath),
                  windowValues);
        ASSERT_FALSE(printed.empty());
        EXPECT_EQ(printed.front(), "Dustbane has no saved settings, so /clean changed nothing.");
        EXPECT_EQ(fake.system.soundsPlayed, 0);
    }
}

// The printed lines as one text: a JSON run prints its document and nothing else.
nlohmann::json printedDocument(const Lines& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\n";
    }
    return nlohmann::json::parse(text);
}

const nlohmann::json& settingNamed(const nlohmann::json& document, const std::string& name) {
    for (const nlohmann::json& setting : document["settings"]) {
        if (setting["name"] == name) {
            return setting;
        }
    }
    throw std::runtime_error("no setting " + name);
}

TEST(CommandRunJson, PreviewPrintsOneDocumentWithTheTotalsOfItsLinesAndChangesNothing) {
    Machine machine;
    ASSERT_EQ(machine.run({"/preview"}), exit_code::success);
    const std::string textTotal = machine.printed.back();
    const auto tree = machine.tree();

    EXPECT_EQ(machine.run({"/preview", "/json"}), exit_code::success);

    EXPECT_EQ(machine.tree(), tree);
    const nlohmann::json document = printedDocument(machine.printed);
    EXPECT_EQ(document["command"], "preview");
    EXPECT_EQ(document["computer"], "TESTPC");
    EXPECT_EQ(document["user"], "tester");
    EXPECT_EQ(document["started"], "2026-12-07T10:42:07Z");
    EXPECT_EQ(document["exitCode"], exit_code::success);
    EXPECT_EQ(textTotal, "11 items, 44 bytes (44 B)");
    const nlohmann::json& totals = document["totals"];
    EXPECT_EQ(totals["deleted"]["items"].get<int>() + totals["recycled"]["items"].get<int>(), 11);
    EXPECT_EQ(totals["deleted"]["bytes"].get<int>() + totals["recycled"]["bytes"].get<int>(), 44);
    EXPECT_EQ(totals["kept"]["items"], 0);
    // A target, the folder and the file to delete, and the search path's rules, each as
    // the run met it.
    std::set<std::string> groups;
    for (const nlohmann::json& group : document["groups"]) {
        groups.insert(group["kind"].get<std::string>() + " " + group["name"].get<std::string>());
    }
    for (const std::string group :
         {"target Temporary folder", "folder C:\\spec", "files Delete files"}) {
        EXPECT_TRUE(groups.count(group)) << group << " in " << document["groups"].dump(1);
    }
    EXPECT_TRUE(std::any_of(
        document["groups"].begin(), document["groups"].end(), [](const nlohmann::json& group) {
            return group["kind"] == "search rule" && group["searchPath"] == "C:\\search";
        }));
    EXPECT_EQ(settingNamed(document, "Empfolder")["source"], "user");
    EXPECT_EQ(settingNamed(document, "Empfolder")["value"], true);
    EXPECT_EQ(settingNamed(document, "Tempfolder")["source"], "default");
    EXPECT_EQ(settingNamed(document, "FolderList")["value"],
              nlohmann::json::parse(R"([{"path": "C:\\spec", "checked": true}])"));
}

// What stayed is named with its reason, its group and the exit code the process returns.
TEST(CommandRunJson, CleanReportsTheHeldFilesAsKeptAndExitsWithTheCodeItReports) {
    Machine machine;
    machine.fake.files.lock("C:\\search\\x.tmp");
    machine.fake.files.lock(temp + "a.txt");
    const std::vector<std::string> before = machine.fake.files.treeBelow("C:");

    const int code = machine.run({"/clean", "/json"});

    EXPECT_EQ(code, exit_code::itemsStayed);
    const nlohmann::json document = printedDocument(machine.printed);
    EXPECT_EQ(document["command"], "clean");
    EXPECT_EQ(document["exitCode"], code);
    std::set<std::string> kept;
    for (const nlohmann::json& group : document["groups"]) {
        for (const nlohmann::json& item : group["kept"]) {
            kept.insert(group["kind"].get<std::string>() + " " + item["path"].get<std::string>() +
                        " " + item["reason"].get<std::string>());
        }
    }
    // The search path's file went to the Recycle Bin, whose move names the cause; the temporary
    // folder's was deleted for good, and the file system only says it stayed.
    EXPECT_EQ(kept, (std::set<std::string>{"search rule C:\\search\\x.tmp in use",
                                           "target " + temp + "a.txt not deleted"}));
    const nlohmann::json& totals = document["totals"];
    EXPECT_EQ(totals["kept"], nlohmann::json::parse(R"({"items": 2, "bytes": 7})"));
    EXPECT_EQ(totals["deleted"]["bytes"].get<int>() + totals["recycled"]["bytes"].get<int>(),
              44 - 7);
    EXPECT_FALSE(removedPaths(before, machine).count("C:\\search\\x.tmp"));
}

TEST(CommandRunJson, ACleanThatDoesNotRunStillReportsWhyWithExitCodeTwo) {
    FakePlatform fake;
    Lines printed;
    const auto print = [&printed](const std::string& line) { printed.push_back(line); };
    EXPECT_EQ(runCommand(parseCommandLine({"/clean", "/json"}), fake.platform, print),
              exit_code::usageError);
    nlohmann::json document = printedDocument(printed);
    EXPECT_EQ(document["exitCode"], exit_code::usageError);
    EXPECT_EQ(document["warnings"][0],
              "Dustbane has no saved settings, so /clean changed nothing.");
    EXPECT_TRUE(document["groups"].empty());

    // Forbidden by the administrator, whose lock of Recycle the settings show.
    fake.registry.set(policyKeyPath, "AllowClean", int32_t{0}, RegistryRoot::LocalMachine);
    fake.registry.set(policyKeyPath, "Recycle", int32_t{0}, RegistryRoot::LocalMachine);
    printed.clear();
    EXPECT_EQ(runCommand(parseCommandLine({"/clean", "/json"}), fake.platform, print),
              exit_code::usageError);
    document = printedDocument(printed);
    EXPECT_EQ(document["exitCode"], exit_code::usageError);
    EXPECT_NE(document["warnings"][0].get<std::string>().find("administrator"), std::string::npos);
    EXPECT_EQ(settingNamed(document, "Recycle")["source"], "policy");
    EXPECT_EQ(settingNamed(document, "Recycle")["value"], false);
}

// A registry that fails as no real one should: the run cannot go on.
struct BrokenRegistry : FakeRegistry {
    std::unique_ptr<RegistryKey> open(RegistryRoot, const std::string&, bool) override {
        throw std::runtime_error("registry gone");
    }
};

TEST(CommandRunJson, AnEscapingErrorStillPrintsOneDocumentWithExitCodeThree) {
    for (const char* command : {"/preview", "/clean"}) {
        FakePlatform fake;
        BrokenRegistry registry;
        Platform ports{fake.files,  registry,      fake.shell,
                       fake.system, fake.prompter, fake.scheduler};
        Lines printed;
        EXPECT_EQ(runCommand(parseCommandLine({command, "/json"}), ports,
                             [&printed](const std::string& line) { printed.push_back(line); }),
                  exit_code::unexpectedError);
        const nlohmann::json document = printedDocument(printed);
        EXPECT_EQ(document["command"], std::string(command).substr(1));
        EXPECT_EQ(document["exitCode"], exit_code::unexpectedError);
        EXPECT_EQ(document["warnings"], nlohmann::json::array({"Dustbane stopped: registry gone"}));
    }
}

class UnattendedDriverTest : public EngineTest {
  protected:
    UnattendedDriverTest() {
        turnOffFixedLocations(settings);
        settings.Displaybox = true;
        settings.Recycle = true;
        settings.FileList = {{"C:\\a.tmp", true}};
        fake.files.addFile("C:\\a.tmp");
    }

    ProtectedFolders folders{fake.shell, fake.files};
    SettingsSummary summary{settings, language, fake.window.model, folders};
    CleanDriver driver{context, summary, stagesOf(targetCatalogue())};
};

TEST_F(UnattendedDriverTest, AsksNothingAndLeavesTheBinsUnlessToldToEmptyThem) {
    driver.runUnattended(CleanDriver::BinStep::Keep);
    EXPECT_TRUE(fake.prompter.questions.empty());
    EXPECT_EQ(fake.shell.recycled, std::vector<std::string>{"C:\\a.tmp"});
    EXPECT_EQ(fake.shell.emptyCalls, 0);
    EXPECT_FALSE(fake.window.progressShown);

    fake.files.addFile("C:\\a.tmp");
    driver.runUnattended(CleanDriver::BinStep::Empty);
    EXPECT_TRUE(fake.prompter.questions.empty());
    EXPECT_EQ(fake.shell.emptyCalls, 1);
}

TEST_F(UnattendedDriverTest, TheWindowsRunStillAsksBothQuestions) {
    fake.prompter.answers = {answer::yes, answer::no};
    driver.runTick();
    ASSERT_EQ(fake.prompter.questions.size(), 2u);
    EXPECT_EQ(fake.prompter.questions[0].caption, "Clean Confirmation");
    EXPECT_EQ(fake.prompter.questions[1].caption, "Clear Confirmation");
    EXPECT_EQ(fake.shell.emptyCalls, 0);
}

} // namespace
} // namespace dustbane::testing
