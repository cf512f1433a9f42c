// Analyze through the real window: over a realistic user with a search path, a folder and a
// file to delete, an analysis changes nothing on disk or in the settings and names, item by
// item and byte by byte, what the clean that follows removes and frees; a second analysis then
// finds only what a clean leaves for its next run, and the held file once it is let go. F6
// starts an analysis, Stop ends one.

#include "app/win32/resource_ids.h"
#include "big_tree.h"
#include "driver/driver.h"
#include "driver/held_file.h"
#include "driver/verbatim_files.h"
#include "expected_text.h"
#include "platform/win32/text.h"
#include "windows_user.h"

#include <algorithm>
#include <cstdint>
#include <gtest/gtest.h>
#include <iostream>
#include <map>
#include <optional>
#include <regex>
#include <set>
#include <string>
#include <vector>
#include <windows.h>

namespace dustbane::e2e {
namespace {

using Strings = std::vector<std::string>;

// One item line of an opened group: "<indent>C:\full\path  (1.43 MB)".
struct ShownItem {
    std::string path;
    std::string size;
    std::string group;
};

std::string withoutIndent(const std::string& row) {
    const size_t start = row.find_first_not_of(' ');
    return start == std::string::npos ? std::string() : row.substr(start);
}

// A group line's caption, count and size: "+ Google Chrome: 12 items, 3.50 KB".
struct GroupLine {
    std::string caption;
    uint64_t items = 0;
    std::string size;
};

std::optional<GroupLine> groupLineOf(const std::string& row) {
    static const std::regex group(R"(^ *[+-] (.*): ([0-9,]+) items, (.+)$)");
    std::smatch match;
    if (!std::regex_match(row, match, group)) {
        return std::nullopt;
    }
    std::string count = match[2].str();
    std::erase(count, ',');
    return GroupLine{match[1].str(), std::stoull(count), match[3].str()};
}

// The items of every opened group, each with the caption of its group.
std::vector<ShownItem> itemsShown(const Strings& rows) {
    static const std::regex item(R"(^ {8,}(\S.*)  \((.+)\)$)");
    std::vector<ShownItem> items;
    std::string group;
    for (const std::string& row : rows) {
        std::smatch match;
        if (const auto line = groupLineOf(row)) {
            group = line->caption;
        } else if (std::regex_match(row, match, item)) {
            items.push_back({match[1].str(), match[2].str(), group});
        }
    }
    return items;
}

// Every value of the settings key as type and contents.
std::map<std::string, std::string> settingsValues(const RegKey& key) {
    std::map<std::string, std::string> values;
    for (const std::string& name : key.valueNames()) {
        const auto number = key.readInt(name);
        values[name] = std::to_string(key.valueType(name).value_or(0)) + ":" +
                       (number ? std::to_string(*number) : key.readString(name).value_or("?"));
    }
    return values;
}

std::string userProfile() {
    wchar_t buffer[MAX_PATH + 1] = {};
    GetEnvironmentVariableW(L"USERPROFILE", buffer, MAX_PATH + 1);
    return win32::narrow(buffer);
}

class Analysis : public Scenario {
  protected:
    // Only the targets named run; the search path looks for .tmp/.old/.bak, .log and empty
    // folders; the confirmation and the log are on and deletions go to the Recycle Bin.
    void storeSettings(const Strings& targets, const std::string& search, const std::string& folder,
                       const std::string& file) const {
        turnOffFixedLocations();
        for (const std::string& target : appTargetSettings()) {
            settings.writeInt(target, 0);
        }
        for (const std::string& target : targets) {
            settings.writeInt(target, 1);
        }
        for (const auto& [name, value] :
             std::initializer_list<std::pair<const char*, int32_t>>{{"Displaybox", 1},
                                                                    {"Logs", 1},
                                                                    {"Recycle", 1},
                                                                    {"Display", 1},
                                                                    {"Empfolder", 1},
                                                                    {"Delfolder", 0},
                                                                    {"Picthumb", 0},
                                                                    {"Tempfile", 0},
                                                                    {"Zerofile", 0},
                                                                    {"Oldfile", 1},
                                                                    {"Logfile", 1}}) {
            settings.writeInt(name, value);
        }
        settings.writeString("FilesName", "");
        settings.writeString("Ext", "");
        const auto writeList = [&](const std::string& stem, const std::string& entry) {
            settings.writeInt(stem + "num", entry.empty() ? 0 : 1);
            if (!entry.empty()) {
                settings.writeString(stem + "a0", entry);
            }
        };
        writeList("Path", search);
        writeList("Folder", folder);
        writeList("File", file);
        writeList("Pathex", "");
    }

    // Starts the program and waits until the start-up chain has loaded the settings.
    void start() {
        app_.emplace(App::launch());
        window_ = app_->waitForMainWindow();
        ASSERT_TRUE(window_) << "no main window";
        list_ = findChild(window_, "SysListView32");
        status_ = findChild(window_, "msctls_statusbar32");
        clean_ = childWithId(window_, "Button", IDC_TOOL_CLEAN);
        analyze_ = childWithId(window_, "Button", IDC_TOOL_ANALYZE);
        ASSERT_TRUE(list_ && status_ && clean_ && analyze_);
        ASSERT_TRUE(waitUntil([&] { return listViewCount(list_) > 0; }));
    }

    Strings rows() const { return listViewRows(list_); }
    std::string lastRow() const {
        const int count = listViewCount(list_);
        return count == 0 ? std::string() : listViewText(list_, count - 1);
    }
    std::string status(int panel) const { return statusBarText(status_, panel); }

    // Whether an analysis shows its result: the total last, the button back to Analyze.
    bool analysisShown() const {
        return lastRow().starts_with("Would free ") && windowText(analyze_) == "Analyze";
    }

    // Clicks Analyze and waits for the result.
    void analyze() const {
        postCommand(window_, IDC_TOOL_ANALYZE);
        ASSERT_TRUE(waitUntil([&] { return windowText(analyze_) == "Stop"; }) || analysisShown())
            << "the analysis never started";
        ASSERT_TRUE(waitUntil([&] { return analysisShown(); }, 120s))
            << "no total: " << ::testing::PrintToString(rows());
    }

    // Opens every closed group, by double click and by Enter in turn, as a user would.
    void openEveryGroup() const {
        for (int opened = 0;; ++opened) {
            const Strings all = rows();
            int line = -1;
            for (size_t row = 0; row < all.size() && line < 0; ++row) {
                if (withoutIndent(all[row]).starts_with("+ ")) {
                    line = static_cast<int>(row);
                }
            }
            if (line < 0) {
                return;
            }
            selectListViewRow(list_, line);
            const RECT rect = listViewRowRect(list_, line);
            const int x = rect.left + 20;
            const int y = (rect.top + rect.bottom) / 2;
            if (opened % 2 == 0) {
                // The list sends its double click (NM_DBLCLK) without selecting anything.
                const LPARAM point = MAKELPARAM(x, y);
                PostMessageW(list_, WM_LBUTTONDBLCLK, MK_LBUTTON, point);
                PostMessageW(list_, WM_LBUTTONUP, 0, point);
            } else {
                // Enter goes to the focused list: a user clicks the line first. (After the
                // owner-less message boxes of a clean, Wine leaves no window focused.)
                clickAt(list_, x, y);
                pressKey(list_, VK_RETURN);
            }
            ASSERT_TRUE(waitUntil([&] {
                return withoutIndent(listViewText(list_, line)).starts_with("- ");
            })) << (opened % 2 == 0 ? "double click" : "Enter")
                << " did not open: " << all[static_cast<size_t>(line)];
        }
    }

    std::optional<App> app_;
    HWND window_ = nullptr;
    HWND list_ = nullptr;
    HWND status_ = nullptr;
    HWND clean_ = nullptr;
    HWND analyze_ = nullptr;
};

// The user's profile and the test's own folder, every file hashed.
TreeSnapshot snapshotDisk(const std::string& profile, const std::string& scratch) {
    TreeSnapshot disk = snapshotTree(profile, FileStamp::Hashed);
    disk.merge(snapshotTree(scratch, FileStamp::Hashed));
    return disk;
}

TEST_F(Analysis, ShowsExactlyWhatTheCleanThenRemovesAndFreesAndChangesNothing) {
    const WindowsUser user = buildWindowsUser();
    const std::string install = scratch() + "install\\";
    const std::string search = scratch() + "search";
    const std::string folder = scratch() + "folder";
    const std::string single = scratch() + "single.txt";
    createDirectories(install);
    createDirectories(search + "\\emptydir");
    const std::map<std::string, size_t> planted = {
        {search + "\\a.tmp", 3000},
        {search + "\\run.log", 374},
        {search + "\\keep.txt", 100},
        {search + "\\held.tmp", 10},
        {search + "\\sub\\b.bak", 1500},
        {search + "\\sub\\deep\\c.log", 200},
        // Emptied by the clean, but found with content: the folder stays until the next run.
        {search + "\\onlytmp\\x.tmp", 50},
        {folder + "\\f1.txt", 700},
        {folder + "\\inner\\f2.txt", 2048},
        {folder + "\\inner\\deeper\\f3.txt", 5000},
        {single, 1234},
    };
    for (const auto& [path, size] : planted) {
        writeFile(path, std::string(size, 'd'));
    }
    HeldFile held(search + "\\held.tmp");
    ASSERT_TRUE(held.holding());
    storeSettings({"ChromeCache", "EdgeCache", "FirefoxCache2", "DiscordCache",
                   "DirectXShaderCache", "CrashDumps"},
                  search, folder, single);
    settings.writeString("Installdir", install);
    const std::string profile = userProfile();
    ASSERT_FALSE(profile.empty());

    start();
    const TreeSnapshot before = snapshotDisk(profile, scratch());
    const auto valuesBefore = settingsValues(settings);
    analyze();
    openEveryGroup();
    const Strings analysis = rows();
    EXPECT_EQ(treeDifferences(before, snapshotDisk(profile, scratch())), Strings{})
        << "the analysis changed the disk";
    EXPECT_EQ(settingsValues(settings), valuesBefore) << "the analysis changed the settings";
    EXPECT_EQ(listViewColumnText(list_), "Analysis:");

    // Each group counts and sizes exactly the items it lists, each item its own bytes.
    const std::vector<ShownItem> items = itemsShown(analysis);
    std::map<std::string, std::pair<uint64_t, uint64_t>> listedByGroup;
    uint64_t permanent = 0;
    uint64_t recycled = 0;
    uint64_t recycledInFolders = 0;
    Strings shownPaths;
    std::map<std::string, uint64_t> lastBytes;
    for (const ShownItem& item : items) {
        ASSERT_TRUE(before.contains(item.path)) << "shown but not on disk: " << item.path;
        const uint64_t bytes = bytesOf(before, item.path);
        EXPECT_EQ(item.size, sizeText(bytes)) << item.path;
        if (const auto previous = lastBytes.find(item.group); previous != lastBytes.end()) {
            EXPECT_LE(bytes, previous->second) << "not largest first: " << item.path;
        }
        lastBytes[item.group] = bytes;
        listedByGroup[item.group].first += 1;
        listedByGroup[item.group].second += bytes;
        // The targets delete for good; the user's own paths go to the Recycle Bin.
        const bool own = item.path == single || item.path.starts_with(search + "\\") ||
                         item.path.starts_with(folder + "\\");
        (own ? recycled : permanent) += bytes;
        if (own && before.at(item.path).folder) {
            recycledInFolders += bytes;
        }
        shownPaths.push_back(item.path);
    }
    std::set<std::string> captions;
    for (const std::string& row : analysis) {
        if (const auto line = groupLineOf(row)) {
            captions.insert(line->caption);
            EXPECT_EQ(line->items, listedByGroup[line->caption].first) << row;
            EXPECT_EQ(line->size, sizeText(listedByGroup[line->caption].second)) << row;
        }
    }
    for (const char* target : {"Google Chrome", "Microsoft Edge", "Firefox (current versions)",
                               "Discord", "DirectX shader cache", "Crash dumps of programs"}) {
        EXPECT_TRUE(captions.contains(target))
            << target << ": " << ::testing::PrintToString(analysis);
    }
    uint64_t searchBytes = 0;
    size_t searchItems = 0;
    for (const ShownItem& item : items) {
        if (item.path.starts_with(search + "\\")) {
            searchBytes += bytesOf(before, item.path);
            ++searchItems;
        }
    }
    EXPECT_NE(
        std::find(analysis.begin(), analysis.end(),
                  search + ": " + std::to_string(searchItems) + " items, " + sizeText(searchBytes)),
        analysis.end())
        << "no heading for the search path: " << ::testing::PrintToString(analysis);
    for (const std::string& entry : cacheEntriesOf(user)) {
        EXPECT_NE(std::find(shownPaths.begin(), shownPaths.end(), entry), shownPaths.end())
            << "not shown: " << entry;
    }
    EXPECT_EQ(std::find(shownPaths.begin(), shownPaths.end(), search + "\\keep.txt"),
              shownPaths.end())
        << "a file no rule selects is shown";
    // The analysis does not open each file to see whether another program holds it: the held
    // file shows as going, and the clean counts it among the items that stayed.
    const std::string heldPath = search + "\\held.tmp";
    ASSERT_NE(std::find(shownPaths.begin(), shownPaths.end(), heldPath), shownPaths.end());
    const uint64_t heldBytes = bytesOf(before, heldPath);
    const std::string total = "Would free " + sizeText(permanent + recycled) + " in " +
                              std::to_string(items.size()) + " items";
    EXPECT_EQ(analysis.back(), total);
    EXPECT_EQ(status(0), " " + total);
    EXPECT_EQ(status(1), "Found " + std::to_string(items.size()));

    // The clean names the analysis's total first, and then frees exactly what it showed.
    clickButton(clean_);
    EXPECT_TRUE(answerMessageBox("Clean Confirmation", IDYES)
                    .starts_with("Your clean definitions are: \n\n" + total + "\n"));
    HWND binBox = waitForMessageBox("Clear Confirmation", 120s);
    ASSERT_TRUE(binBox) << "no offer to empty the bins: " << ::testing::PrintToString(rows());
    const Strings binQuestion = [&] {
        Strings lines;
        std::string text = messageBoxText(binBox);
        for (size_t end; (end = text.find('\n')) != std::string::npos; text.erase(0, end + 1)) {
            lines.push_back(text.substr(0, end));
        }
        lines.push_back(text);
        return lines;
    }();
    clickButton(GetDlgItem(binBox, IDNO));
    ASSERT_TRUE(waitUntil([&] { return windowText(clean_) == "Clean"; }));

    // The held file stays.
    const std::string freed = freedLine(permanent, recycled - heldBytes, 1);
    const Strings cleaned = rows();
    EXPECT_EQ(cleaned.back(), freed) << ::testing::PrintToString(cleaned);
    EXPECT_NE(cleaned[cleaned.size() - 2].find("Clean finished: "), std::string::npos);
    EXPECT_EQ(status(0), " Cleaned over. " + freed);
    ASSERT_EQ(binQuestion.size(), 3u) << ::testing::PrintToString(binQuestion);
    EXPECT_TRUE(binQuestion[0].ends_with(" files or folders had been deleted."));
    // The bin held nothing before the clean, so it holds what the clean recycled. Wine counts a
    // folder in its bin as nothing, whatever the folder holds; Windows counts its files.
    const uint64_t binBytes = (runsOnWine() ? recycled - recycledInFolders : recycled) - heldBytes;
    EXPECT_EQ(binQuestion[1], "The Recycle Bins hold " + sizeText(binBytes) + ".");
    EXPECT_EQ(binQuestion[2], "Do you empty Recycle bins now?");

    TreeSnapshot after = snapshotDisk(profile, scratch());
    ASSERT_EQ(after.erase(install + "logs.log"), 1u) << "no log";
    Strings gone = shownPaths;
    std::erase(gone, heldPath);
    EXPECT_EQ(treeDifferences(without(before, gone), after), Strings{})
        << "what went is not what the analysis showed";
    const auto log = readFile(install + "logs.log");
    ASSERT_TRUE(log);
    const Strings logLines = splitLines(fromAnsi(*log));
    ASSERT_FALSE(logLines.empty());
    EXPECT_EQ(logLines.back(), freed);

    // What is left for a next run: the folders the clean emptied (a folder that holds only an
    // emptied folder still has content), and the held file.
    Strings leftForNextRun;
    for (const auto& [path, item] : after) {
        const auto next = after.lower_bound(path + "\\");
        if (item.folder && path.starts_with(search + "\\") &&
            (next == after.end() || !next->first.starts_with(path + "\\"))) {
            leftForNextRun.push_back(path);
        }
    }
    EXPECT_TRUE(after.contains(heldPath));
    leftForNextRun.push_back(heldPath);
    std::sort(leftForNextRun.begin(), leftForNextRun.end());
    analyze();
    openEveryGroup();
    Strings found;
    for (const ShownItem& item : itemsShown(rows())) {
        found.push_back(item.path);
    }
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, leftForNextRun) << ::testing::PrintToString(rows());
    EXPECT_EQ(app_->close(), 0u);
}

TEST_F(Analysis, F6StartsAnAnalysisAndStopEndsItWithATotal) {
    // An analysis deletes nothing and opens no file, so it goes through a tree far faster than
    // a clean: ten times the clean's tree keeps it going until the Stop click lands.
    const BigTree tree(scratch() + "big", 10 * BigTree::filesPerFolder);
    storeSettings({}, tree.root, "", "");
    settings.writeInt("Displaybox", 0);
    settings.writeInt("Logs", 0);

    start();
    EXPECT_NE(listViewColumnText(list_), "Analysis:");
    pressKey(list_, VK_F6);
    ASSERT_TRUE(waitUntil([&] { return windowText(analyze_) == "Stop"; }))
        << "F6 started no analysis";
    EXPECT_EQ(listViewColumnText(list_), "Analysis:");
    clickButton(analyze_);
    EXPECT_EQ(answerMessageBox("Stop Confirmation", IDYES), "Do you want to stop the analysis?");
    ASSERT_TRUE(waitUntil([&] { return analysisShown(); }, 60s))
        << ::testing::PrintToString(rows());

    static const std::regex totalLine(R"(^Would free (.+) in ([0-9,]+) items$)");
    std::smatch match;
    const std::string total = lastRow();
    ASSERT_TRUE(std::regex_match(total, match, totalLine)) << total;
    std::string count = match[2].str();
    std::erase(count, ',');
    const size_t found = std::stoul(count);
    std::cout << "stopped after " << found << " of " << tree.files() << " files\n";
    EXPECT_GT(found, 0u);
    EXPECT_LT(found, static_cast<size_t>(tree.files()))
        << "the stop came too late to test anything";
    EXPECT_EQ(match[1].str(), sizeText(found)) << "each file holds one byte";
    EXPECT_EQ(tree.remaining().size(), static_cast<size_t>(tree.files() + BigTree::folders))
        << "the analysis deleted something";
    EXPECT_EQ(app_->close(), 0u);
}

} // namespace
} // namespace dustbane::e2e
