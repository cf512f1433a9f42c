// Clean runs of the user's own stages through the real window: a prepared search path, a
// specific folder and a specific file confirmed and cleaned, with the result lines, the log,
// what stays on disk and the Recycle Bin read back; a run stopped by the user and one
// stopped by closing the window; and the default search path "C:" covering the drive.

#include "app/win32/resource_ids.h"
#include "big_tree.h"
#include "driver/driver.h"
#include "expected_text.h"
#include "platform/win32/text.h"

#include <algorithm>
#include <cstdint>
#include <gtest/gtest.h>
#include <iostream>
#include <map>
#include <optional>
#include <regex>
#include <shellapi.h>
#include <shlobj.h>
#include <stdexcept>
#include <string>
#include <vector>
#include <windows.h>

namespace dustbane::e2e {
namespace {

using Strings = std::vector<std::string>;

struct ListEntry {
    std::string text;
    bool checked = true;
};

// A result line as expected: timed lines begin with the time in the long format.
struct Line {
    bool timed;
    std::string text;
    int image;
};

// The words after the leading time of a heading line, or nothing when there is no time.
std::optional<std::string> afterTime(const std::string& row) {
    static const std::regex timed(R"(^\d{1,2}:\d{2}(:\d{2})?( ?[AaPp]\.?[Mm]\.?)? (.*)$)");
    std::smatch match;
    if (!std::regex_match(row, match, timed)) {
        return std::nullopt;
    }
    return match[3].str();
}

std::string shortDateToday() {
    wchar_t text[128] = {};
    GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, text,
                    static_cast<int>(std::size(text)), nullptr);
    return win32::narrow(text);
}

// The names of the items in the Recycle Bin, sorted, as the shell's bin folder shows them.
Strings recycleBinNames() {
    Strings names;
    IMalloc* allocator = nullptr;
    IShellFolder* desktop = nullptr;
    LPITEMIDLIST binPidl = nullptr;
    IShellFolder* bin = nullptr;
    IEnumIDList* items = nullptr;
    if (SUCCEEDED(SHGetMalloc(&allocator)) && SUCCEEDED(SHGetDesktopFolder(&desktop)) &&
        SUCCEEDED(SHGetSpecialFolderLocation(nullptr, CSIDL_BITBUCKET, &binPidl)) &&
        SUCCEEDED(desktop->BindToObject(binPidl, nullptr, IID_PPV_ARGS(&bin))) &&
        bin->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN,
                         &items) == S_OK) {
        LPITEMIDLIST item = nullptr;
        while (items->Next(1, &item, nullptr) == S_OK) {
            STRRET name{};
            if (SUCCEEDED(bin->GetDisplayNameOf(item, SHGDN_NORMAL, &name))) {
                if (name.uType == STRRET_WSTR) {
                    names.push_back(win32::narrow(name.pOleStr));
                    allocator->Free(name.pOleStr);
                } else if (name.uType == STRRET_CSTR) {
                    names.push_back(fromAnsi(name.cStr));
                } else {
                    names.push_back(fromAnsi(reinterpret_cast<const char*>(item) + name.uOffset));
                }
            }
            allocator->Free(item);
        }
    }
    if (binPidl) {
        allocator->Free(binPidl);
    }
    for (IUnknown* object : std::initializer_list<IUnknown*>{items, bin, desktop, allocator}) {
        if (object) {
            object->Release();
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

// The names of a folder in the order the file system hands them out, dot names included.
Strings namesInOrder(const std::string& folder) {
    Strings names;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(win32::widen(folder + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) {
        return names;
    }
    do {
        std::string name = win32::narrow(data.cFileName);
        if (name != "." && name != "..") {
            names.push_back(name);
        }
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return names;
}

// Every item below folder (relative paths, no dot names and nothing below them) in the order
// a depth-first scan reaches its end: a subfolder's items come before the subfolder itself.
void scanOrder(const std::string& folder, const std::string& relative, Strings& order) {
    for (const std::string& name : namesInOrder(folder)) {
        if (name.front() == '.') {
            continue;
        }
        const std::string path = relative.empty() ? name : relative + "\\" + name;
        if (directoryExists(folder + "\\" + name)) {
            scanOrder(folder + "\\" + name, path, order);
        }
        order.push_back(path);
    }
}

// Every item below folder as relative path and contents (folders hold "<folder>"), sorted.
std::map<std::string, std::string> treeBelow(const std::string& folder) {
    std::map<std::string, std::string> tree;
    for (const std::string& name : namesInOrder(folder)) {
        const std::string path = folder + "\\" + name;
        if (directoryExists(path)) {
            tree[name] = "<folder>";
            for (const auto& [below, contents] : treeBelow(path)) {
                tree[name + "\\" + below] = contents;
            }
        } else {
            tree[name] = readFile(path).value_or("<unreadable>");
        }
    }
    return tree;
}

// Whether Wine can give this file name on the host: it needs a host locale with the
// characters, which a bare build machine may lack.
bool nameFits(const std::string& folder, const std::string& name) {
    HANDLE file = CreateFileW(win32::widen(folder + "\\" + name).c_str(), GENERIC_WRITE, 0, nullptr,
                              CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    CloseHandle(file);
    DeleteFileW(win32::widen(folder + "\\" + name).c_str());
    return true;
}

class CleanRun : public Scenario {
  protected:
    void writeFlags(std::initializer_list<std::pair<const char*, int32_t>> flags) {
        for (const auto& [name, value] : flags) {
            settings.writeInt(name, value);
        }
    }

    void writeList(const std::string& stem, const std::vector<ListEntry>& entries) {
        settings.writeInt(stem + "num", static_cast<int32_t>(entries.size()));
        for (size_t i = 0; i < entries.size(); ++i) {
            settings.writeString(stem + (entries[i].checked ? "a" : "b") + std::to_string(i),
                                 entries[i].text);
        }
    }

    // Starts the program and waits until the start-up chain has loaded the settings.
    void start() {
        app_.emplace(App::launch());
        window_ = app_->waitForMainWindow();
        ASSERT_TRUE(window_) << "no main window";
        list_ = findChild(window_, "SysListView32");
        status_ = findChild(window_, "msctls_statusbar32");
        for (HWND button : childWindows(window_, "Button")) {
            if (GetDlgCtrlID(button) == IDC_TOOL_CLEAN) {
                clean_ = button;
            }
        }
        ASSERT_TRUE(list_ && status_ && clean_);
        if (settings.readInt("Recycle") == 0) {
            // Loading a cleared Recycle asks whether permanent deletion is meant.
            answerMessageBox("Confirmation", IDYES);
        }
        ASSERT_TRUE(waitUntil([&] { return listViewCount(list_) > 0; }));
    }

    Strings rows() const { return listViewRows(list_); }

    // Reads the last two rows only: every row read waits for the running program's next pump.
    // The final line comes before the line of what the run freed, which ends the list.
    bool ended() const {
        const int count = listViewCount(list_);
        if (count < 2 || !listViewText(list_, count - 1).starts_with("Freed ")) {
            return false;
        }
        const auto words = afterTime(listViewText(list_, count - 2));
        return words &&
               (words->starts_with("Clean finished: ") || words->starts_with("User stopped: "));
    }

    void waitForEnd(std::chrono::milliseconds timeout = 120s) const {
        ASSERT_TRUE(waitUntil([&] { return ended(); }, timeout))
            << "no final line: " << ::testing::PrintToString(rows()) << " status "
            << statusBarText(status_, 0);
    }

    // Waits until the search has listed at least one deleted item below its heading line.
    void waitForDeletions() const {
        auto deleting = [&] {
            const auto first = afterTime(listViewText(list_, 0));
            return listViewCount(list_) >= 2 && first && first->starts_with("Began Search ") &&
                   !ended();
        };
        ASSERT_TRUE(waitUntil(deleting, 60s))
            << "the run never got going: " << ::testing::PrintToString(rows());
    }

    void expectRows(const std::vector<Line>& expected) const {
        const Strings all = rows();
        ASSERT_EQ(all.size(), expected.size()) << ::testing::PrintToString(all);
        for (size_t row = 0; row < all.size(); ++row) {
            const Line& line = expected[row];
            if (line.timed) {
                EXPECT_EQ(afterTime(all[row]).value_or("<no time> " + all[row]), line.text);
            } else {
                EXPECT_EQ(all[row], line.text);
            }
            EXPECT_EQ(listViewImage(list_, static_cast<int>(row)), line.image) << all[row];
        }
    }

    std::string status(int panel) const { return statusBarText(status_, panel); }

    // Clicks Clean the way the toolbar delivers it.
    void clickClean() const { postCommand(window_, IDC_TOOL_CLEAN); }

    std::optional<App> app_;
    HWND window_ = nullptr;
    HWND list_ = nullptr;
    HWND status_ = nullptr;
    HWND clean_ = nullptr;
};

// What a stopped run must leave: every deleted file listed, every unlisted one in place, every
// folder in place (each had content, so none may go as empty), and a count and the bytes freed
// that say so.
void expectStoppedCleanly(const Strings& rows, const BigTree& tree) {
    ASSERT_GE(rows.size(), 4u) << ::testing::PrintToString(rows);
    EXPECT_EQ(afterTime(rows.front()), "Began Search " + tree.root);
    const auto last = afterTime(rows[rows.size() - 2]);
    ASSERT_TRUE(last) << rows[rows.size() - 2];
    const Strings listed(rows.begin() + 1, rows.end() - 2);
    // Each file holds one byte and went to the bin.
    EXPECT_EQ(rows.back(), freedLine(0, listed.size(), 0));
    EXPECT_EQ(*last, "User stopped: " + std::to_string(listed.size()) +
                         " files or folders had been cleaned.");
    std::cout << "stopped after " << listed.size() << " of "
              << BigTree::folders * BigTree::filesPerFolder << " deletions\n";
    EXPECT_GT(listed.size(), 0u);
    EXPECT_LT(listed.size(), static_cast<size_t>(BigTree::folders * BigTree::filesPerFolder))
        << "the stop came too late to test anything";

    const Strings left = tree.remaining();
    for (const std::string& line : listed) {
        ASSERT_TRUE(line.starts_with(tree.root + "\\")) << line;
        EXPECT_FALSE(
            std::binary_search(left.begin(), left.end(), line.substr(tree.root.size() + 1)))
            << line << " is listed but still there";
    }
    const size_t total = BigTree::folders * (BigTree::filesPerFolder + 1);
    EXPECT_EQ(left.size() + listed.size(), total) << "an item went without its line";
    for (int folder = 0; folder < BigTree::folders; ++folder) {
        EXPECT_TRUE(directoryExists(tree.root + "\\d" + std::to_string(folder))) << folder;
    }
}

TEST_F(CleanRun, ConfirmedRunCleansWhatTheRulesSelectAndLogsIt) {
    const std::string install = scratch() + "install\\";
    const std::string search = scratch() + "search";
    const std::string folder = scratch() + "folder";
    const std::string single = scratch() + "single.txt";
    createDirectories(install);

    // Each item of the search path: the line its deletion adds ("" when it must stay).
    struct Item {
        std::string path;
        std::string contents;
        std::string line;
        int image = 3;
    };
    std::vector<Item> items = {
        {"~x.doc", "lock", "~x.doc"},
        {"a.tmp", "a", "a.tmp"},
        {"B.TMP", "b", "B.TMP"},
        {"x.tmp.txt", "not a tmp", ""},
        {"Thumbs.db", "thumbs", "Thumbs.db"},
        {"keep.txt", "keep", ""},
        {"empty.dat", "", "empty.dat (0 byte)"},
        {"run.log", "log", "run.log"},
        {"desktop.ini", "ini", "desktop.ini"},
        {"model.obj", "obj", "model.obj"},
        {"scan.gss", "gss", "scan.gss"},
        {"part.ob", "ob", ""},
        {"x.~mp", "tilde extension", "x.~mp"},
        {"noext", "plain", ""},
        {".hidden.tmp", "dot name", ""},
        {".dotdir\\a.tmp", "under a dot folder", ""},
        {"sub\\thumbs.db", "lower-case thumbs", ""},
        {"sub\\Desktop.ini", "other case", ""},
        {"sub\\old.bak", "bak", "sub\\old.bak"},
        // A zero-byte Thumbs.db is selected by its name, so its line has no mark.
        {"sub\\zero\\Thumbs.db", "", "sub\\zero\\Thumbs.db"},
        // Emptied by this run, but found with content: the folder stays until the next run.
        {"onlytmp\\b.tmp", "b", "onlytmp\\b.tmp"},
    };
    createDirectories(search + "\\emptydir");
    for (const Item& item : items) {
        writeFile(search + "\\" + item.path, item.contents);
    }
    if (nameFits(search, "Gr\xC3\xBC\xC3\x9F"
                         "e.tmp")) {
        items.push_back({"Gr\xC3\xBC\xC3\x9F"
                         "e.tmp",
                         "umlaut",
                         "Gr\xC3\xBC\xC3\x9F"
                         "e.tmp"});
        items.push_back({"R\xC3\xA9sum\xC3\xA9.txt", "accents", ""});
        for (size_t i = items.size() - 2; i < items.size(); ++i) {
            writeFile(search + "\\" + items[i].path, items[i].contents);
        }
    } else {
        std::cout << "non-ASCII names are not tried: Wine cannot name such files here\n";
    }
    items.push_back({"emptydir", "<folder>", "emptydir (Empty folder)", 2});

    writeFile(folder + "\\f1.txt", "f1");
    writeFile(folder + "\\inner\\f2.txt", "f2");
    writeFile(folder + "\\.keep", "dot name");
    writeFile(scratch() + "unchecked\\u.txt", "unchecked folder");
    writeFile(single, "single");
    writeFile(scratch() + "spared.txt", "unchecked file");

    turnOffFixedLocations();
    writeFlags({{"Displaybox", 1},
                {"Logs", 1},
                {"Recycle", 1},
                {"Display", 1},
                {"Empfolder", 1},
                {"Delfolder", 0},
                {"Picthumb", 1},
                {"Tempfile", 1},
                {"Zerofile", 1},
                {"Oldfile", 1},
                {"Logfile", 1}});
    settings.writeString("FilesName", "desktop.ini;junk.dat");
    settings.writeString("Ext", "obj;GSS");
    settings.writeString("Installdir", install);
    writeList("Path", {{search}});
    writeList("Folder", {{folder}, {scratch() + "unchecked", false}});
    writeList("File", {{single}, {scratch() + "spared.txt", false}});
    writeList("Pathex", {});

    // The expected lines, in the order the stages meet the items.
    std::vector<Line> expected = {{true, "Successfully Clean " + folder, 1}};
    for (const std::string& name : namesInOrder(folder)) {
        if (name.front() != '.') {
            expected.push_back({false, folder + "\\" + name, name == "inner" ? 2 : 3});
        }
    }
    expected.push_back({true, "Clean " + folder, 1});
    expected.push_back({true, "Successfully Clean " + single, 1});
    expected.push_back({true, "Began Search " + search, 1});
    Strings order;
    scanOrder(search, "", order);
    for (const std::string& path : order) {
        auto item = std::find_if(items.begin(), items.end(),
                                 [&](const Item& candidate) { return candidate.path == path; });
        if (item != items.end() && !item->line.empty()) {
            expected.push_back({false, search + "\\" + item->line, item->image});
        }
    }
    // Every line but the four headings names a deleted item; the single file is one more.
    const int deleted = static_cast<int>(expected.size()) - 4 + 1;
    const std::string count = std::to_string(deleted);
    expected.push_back(
        {true, "Clean finished: " + count + " files or folders had been cleaned.", 1});
    // Everything went to the bin: the deleted items of the search path, f1.txt and inner (with
    // f2.txt) of the folder, and the single file.
    uint64_t recycled = 2 + 2 + 6;
    for (const Item& item : items) {
        if (!item.line.empty() && item.contents != "<folder>") {
            recycled += item.contents.size();
        }
    }
    const std::string freed = freedLine(0, recycled, 0);
    expected.push_back({false, freed, 1});
    ASSERT_EQ(recycleBinNames(), Strings{}) << "the bin of a fresh prefix holds something";

    start();
    clickClean();
    EXPECT_EQ(answerMessageBox("Clean Confirmation", IDYES),
              "Your clean definitions are: \n"
              "\nFile types: obj;GSS"
              "\nFile names: desktop.ini;junk.dat"
              "\nSearch path: " +
                  search + "\nDelete folders: " + folder +
                  "\n\nDo you make sure the above definitions?");
    waitForEnd();
    HWND clearBox = waitForMessageBox("Clear Confirmation");
    ASSERT_TRUE(clearBox) << "no offer to empty the Recycle Bins";
    // The bin was empty before the run, so it holds what the run recycled. Wine counts a folder
    // in its bin as nothing, whatever it holds: there the two bytes of inner\\f2.txt are left out.
    const uint64_t binBytes = runsOnWine() ? recycled - 2 : recycled;
    EXPECT_EQ(messageBoxText(clearBox),
              count + " files or folders had been deleted.\nThe Recycle Bins hold " +
                  sizeText(binBytes) + ".\nDo you empty Recycle bins now?");

    expectRows(expected);
    EXPECT_EQ(status(0), " Cleaned over. " + freed);
    EXPECT_EQ(status(1), "Deleted " + count);
    Strings binned = {"f1.txt", "inner", "single.txt"};
    for (const std::string& line : rows()) {
        if (line.starts_with(search + "\\")) {
            const std::string path = line.substr(0, line.find(" ("));
            binned.push_back(path.substr(path.rfind('\\') + 1));
        }
    }
    std::sort(binned.begin(), binned.end());
    EXPECT_EQ(recycleBinNames(), binned) << "every deletion went to the bin";

    std::map<std::string, std::string> kept;
    for (const Item& item : items) {
        if (item.line.empty()) {
            kept[item.path] = item.contents;
        }
    }
    for (const char* folderLeft : {".dotdir", "sub", "sub\\zero", "onlytmp"}) {
        kept[folderLeft] = "<folder>";
    }
    EXPECT_EQ(treeBelow(search), kept);
    EXPECT_EQ(treeBelow(folder), (std::map<std::string, std::string>{{".keep", "dot name"}}));
    EXPECT_FALSE(fileExists(single));
    EXPECT_EQ(readFile(scratch() + "spared.txt"), "unchecked file");
    EXPECT_EQ(readFile(scratch() + "unchecked\\u.txt"), "unchecked folder");

    const Strings runRows = rows();
    const std::string today = shortDateToday();
    clickButton(GetDlgItem(clearBox, IDYES));
    ASSERT_TRUE(waitUntil([&] { return windowText(clean_) == "Clean"; }));
    // Wine empties its bin file by file and leaves the folders there; Windows takes all.
    EXPECT_EQ(recycleBinNames(), (Strings{"emptydir", "inner"})) << "the bins were not emptied";

    // Installdir names the log's folder, not the current one.
    EXPECT_FALSE(fileExists(installDir() + "logs.log"));
    const auto log = readFile(install + "logs.log");
    ASSERT_TRUE(log) << "no log in " << install;
    const Strings lines = splitLines(fromAnsi(*log));
    Strings block = {"", today};
    block.insert(block.end(), runRows.begin(), runRows.end());
    ASSERT_EQ(lines.size(), block.size() + 3) << ::testing::PrintToString(lines);
    EXPECT_EQ(Strings(lines.begin(), lines.begin() + static_cast<long>(block.size())), block);
    EXPECT_EQ(lines[block.size()], "");
    EXPECT_EQ(lines[block.size() + 1], today);
    EXPECT_EQ(afterTime(lines[block.size() + 2]), "Finished clear all recycle bins");

    EXPECT_EQ(app_->close(), 0u);
}

TEST_F(CleanRun, StopDuringALongScanEndsTheRunAndKeepsInterruptedFolders) {
    const BigTree tree(scratch() + "big");
    turnOffFixedLocations();
    writeFlags({{"Displaybox", 0},
                {"Logs", 0},
                {"Recycle", 1},
                {"Display", 1},
                {"Empfolder", 1},
                {"Oldfile", 1}});
    writeList("Path", {{tree.root}});
    writeList("Folder", {});
    writeList("File", {});

    start();
    clickClean();
    waitForDeletions();
    EXPECT_EQ(windowText(clean_), "Stop");
    clickClean();
    EXPECT_EQ(answerMessageBox("Stop Confirmation", IDYES), "Do you want to stop clean?");
    waitForEnd();

    expectStoppedCleanly(rows(), tree);
    EXPECT_EQ(status(0), " Clean stopped. " + rows().back());
    EXPECT_EQ(status(1), "Deleted " + std::to_string(rows().size() - 3));
    // Something went to the bin, so the offer still comes.
    answerMessageBox("Clear Confirmation", IDNO);
    EXPECT_TRUE(waitUntil([&] { return windowText(clean_) == "Clean"; }));
    EXPECT_EQ(app_->close(), 0u);
}

TEST_F(CleanRun, ClosingDuringARunStopsItLogsItAndEnds) {
    const BigTree tree(scratch() + "big");
    const std::string install = scratch() + "install\\";
    createDirectories(install);
    turnOffFixedLocations();
    writeFlags({{"Displaybox", 0},
                {"Logs", 1},
                {"Recycle", 1},
                {"Display", 1},
                {"Empfolder", 1},
                {"Oldfile", 1}});
    settings.writeString("Installdir", install);
    writeList("Path", {{tree.root}});
    writeList("Folder", {});
    writeList("File", {});

    start();
    clickClean();
    waitForDeletions();
    postClose(window_);
    // The run ends as a stopped one would and the program goes without asking about the bins.
    ASSERT_EQ(app_->waitForExit(60s), 0u) << "the program did not end after its run";

    const auto log = readFile(install + "logs.log");
    ASSERT_TRUE(log) << "no log block for the stopped run";
    const Strings lines = splitLines(fromAnsi(*log));
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0], "");
    EXPECT_EQ(lines[1], shortDateToday());
    expectStoppedCleanly(Strings(lines.begin() + 2, lines.end()), tree);
    EXPECT_TRUE(settings.hasValue("Width")) << "the window's placement was stored at the end";
}

// Every item below folder with its size and time of last change, as the drive lists them.
std::map<std::string, std::string> driveListing(const std::string& folder) {
    std::map<std::string, std::string> listing;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(win32::widen(folder + "*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) {
        return listing;
    }
    do {
        const std::string name = win32::narrow(data.cFileName);
        const std::string path = folder + name;
        if (name == "." || name == "..") {
            continue;
        }
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            listing[path + "\\"] = "<folder>";
            if (!(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
                listing.merge(driveListing(path + "\\"));
            }
        } else {
            const uint64_t size =
                (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
            const uint64_t written =
                (static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                data.ftLastWriteTime.dwLowDateTime;
            listing[path] = std::to_string(size) + " " + std::to_string(written);
        }
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return listing;
}

TEST_F(CleanRun, DefaultSearchPathCoversDriveC) {
    const std::string rootCanary = "C:\\dustbane-canary.tmp";
    const std::string deepCanary = scratch() + "deep\\er\\dustbane-canary.tmp";
    writeFile(rootCanary, "root");
    writeFile(deepCanary, "deep");
    writeFile(scratch() + "deep\\Dustbane-canary.tmp", "other case");
    writeFile(scratch() + "deep\\other.tmp", "not named");

    turnOffFixedLocations();
    writeFlags({{"Displaybox", 0},
                {"Logs", 0},
                {"Recycle", 1},
                {"Display", 1},
                {"Empfolder", 0},
                {"Picthumb", 0},
                {"Tempfile", 0},
                {"Zerofile", 0},
                {"Oldfile", 0},
                {"Logfile", 0}});
    settings.writeString("FilesName", "dustbane-canary.tmp");
    settings.writeString("Ext", "");
    ASSERT_FALSE(settings.hasValue("Pathnum"));
    // The settings key lives outside drive C; the canaries are what the run may change.
    auto before = driveListing("C:\\");
    before.erase(rootCanary);
    before.erase(deepCanary);

    start();
    clickClean();
    waitForEnd(240s);
    answerMessageBox("Clear Confirmation", IDNO);

    std::vector<Line> expected = {{true, "Began Search C:", 1}};
    // The root comes first or last, as the drive hands out its names.
    const Strings all = rows();
    ASSERT_EQ(all.size(), 5u) << ::testing::PrintToString(all);
    const Strings found(all.begin() + 1, all.end() - 2);
    const bool rootFirst = found.front() == "C:\\dustbane-canary.tmp";
    for (const std::string& canary :
         rootFirst ? Strings{rootCanary, deepCanary} : Strings{deepCanary, rootCanary}) {
        expected.push_back({false, canary, 3});
    }
    expected.push_back({true, "Clean finished: 2 files or folders had been cleaned.", 1});
    // The two canaries of four bytes each went to the bin.
    expected.push_back({false, freedLine(0, 8, 0), 1});
    expectRows(expected);

    EXPECT_FALSE(fileExists(rootCanary));
    EXPECT_FALSE(fileExists(deepCanary));
    EXPECT_EQ(driveListing("C:\\"), before) << "the run changed more than its canaries";
    EXPECT_EQ(app_->close(), 0u);
}

// Dates a file back by two days. (Wine on Linux keeps no creation time of its own and gives
// the last-write time for it, so the rule for a file copied today is left to the unit tests.)
void makeOld(const std::string& path) {
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER time{};
    time.LowPart = now.dwLowDateTime;
    time.HighPart = now.dwHighDateTime;
    time.QuadPart -= 48ULL * 3600 * 10'000'000;
    const FILETIME old{time.LowPart, time.HighPart};
    HANDLE file = CreateFileW(win32::widen(path).c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        throw std::runtime_error("cannot date " + path);
    }
    const bool dated = SetFileTime(file, &old, nullptr, &old);
    CloseHandle(file);
    if (!dated) {
        throw std::runtime_error("cannot date " + path);
    }
}

TEST_F(CleanRun, WithTheAgeLimitYoungFilesStayInEveryStageAndOldOnesGo) {
    wchar_t tempPath[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, tempPath);
    const std::string temp = win32::narrow(tempPath) + "agelimit\\";
    const std::string hotfix = "C:\\windows\\KB990001";
    const std::string folder = scratch() + "folder";
    const std::string search = scratch() + "search";
    const Strings young = {temp + "young.tmp",          temp + "mixed\\young.tmp",
                           hotfix + "-young.log",       folder + "\\young.dat",
                           folder + "\\sub\\young.dat", scratch() + "young.dat",
                           search + "\\b.tmp",          search + "\\deep\\d.bak"};
    const Strings old = {temp + "old.tmp",      temp + "mixed\\old.tmp", temp + "done\\old.tmp",
                         hotfix + "-old.log",   folder + "\\old.dat",    folder + "\\sub\\old.dat",
                         scratch() + "old.dat", search + "\\a.tmp",      search + "\\deep\\c.bak"};
    for (const std::string& path : young) {
        writeFile(path, "young");
    }
    for (const std::string& path : old) {
        writeFile(path, "old");
        makeOld(path);
    }
    turnOffFixedLocations();
    writeFlags({{"Tempfolder", 1},
                {"Hotfix", 1},
                {"Displaybox", 0},
                {"Logs", 0},
                {"Recycle", 0},
                {"Display", 1},
                {"Agelimit", 1},
                {"Agehours", 2}});
    writeList("Path", {{search}});
    writeList("Folder", {{folder}});
    writeList("File", {{scratch() + "old.dat"}, {scratch() + "young.dat"}});

    start();
    const Strings summary = rows();
    EXPECT_TRUE(std::find(summary.begin(), summary.end(),
                          "  Only delete files older than 2 hours") != summary.end())
        << ::testing::PrintToString(summary);
    clickClean();
    waitForEnd();

    for (const std::string& path : young) {
        EXPECT_TRUE(fileExists(path)) << path << " went";
    }
    for (const std::string& path : old) {
        EXPECT_FALSE(fileExists(path)) << path << " stayed";
    }
    EXPECT_FALSE(directoryExists(temp + "done"));
    EXPECT_TRUE(directoryExists(temp + "mixed"));
    for (const std::string& row : rows()) {
        for (const std::string& path : young) {
            EXPECT_EQ(row.find(path), std::string::npos) << "listed: " << row;
        }
    }
    EXPECT_EQ(app_->close(), 0u);
}

} // namespace
} // namespace dustbane::e2e
