// A canary tree for the real program: folder links out of the cleaned folders and back into
// them, a link loop, dot names, letter-case twins, read-only, hidden and system files, files
// held open, accented and CJK names, paths beyond 260 characters, empty folders and a chain
// 200 folders deep. /clean with every rule on must delete exactly what the rules select and
// leave every other file of drive C: as it was, byte for byte.

#include "driver/console_run.h"
#include "driver/driver.h"
#include "driver/held_file.h"
#include "folder_link.h"
#include "platform/win32/text.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>
#include <windows.h>

namespace dustbane::e2e {
namespace {

// Paths handed to the file API with the prefix that lifts the 260-character limit.
std::wstring longPath(const std::string& path) {
    return L"\\\\?\\" + win32::widen(path);
}

void makeFolders(const std::string& path) {
    for (size_t slash = path.find('\\', 3); slash != std::string::npos;
         slash = path.find('\\', slash + 1)) {
        CreateDirectoryW(longPath(path.substr(0, slash)).c_str(), nullptr);
    }
    CreateDirectoryW(longPath(path).c_str(), nullptr);
}

void makeFile(const std::string& path, const std::string& bytes, DWORD attributes = 0) {
    makeFolders(path.substr(0, path.rfind('\\')));
    HANDLE file = CreateFileW(longPath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path << ": error " << GetLastError();
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    ASSERT_EQ(written, bytes.size()) << path;
    if (attributes != 0) {
        ASSERT_TRUE(SetFileAttributesW(longPath(path).c_str(), attributes)) << path;
    }
}

// A folder link, with the folders that lead to it.
void makeLinkedFolder(const std::string& link, const std::string& target) {
    makeFolders(link.substr(0, link.rfind('\\')));
    ASSERT_TRUE(dustbane::testing::makeFolderLink(link, target)) << link;
    const DWORD attributes = GetFileAttributesW(win32::widen(link).c_str());
    ASSERT_EQ(attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT),
              DWORD{FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT})
        << link;
}

// One entry of drive C: as a walk sees it.
struct Seen {
    bool folder = false;
    DWORD attributes = 0;
    uint64_t size = 0;
    uint64_t hash = 0; // of the contents; the target for a link
    bool operator==(const Seen&) const = default;
};

using Snapshot = std::map<std::string, Seen>;

// FNV-1a over the bytes, which is plenty to tell a changed file from an unchanged one.
uint64_t hashBytes(uint64_t hash, const char* data, size_t size) {
    for (size_t i = 0; i < size; ++i) {
        hash = (hash ^ static_cast<unsigned char>(data[i])) * 0x100000001b3ULL;
    }
    return hash;
}

std::optional<std::string> readBytes(const std::string& path) {
    HANDLE file = CreateFileW(longPath(path).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    std::string bytes;
    std::vector<char> buffer(1 << 20);
    DWORD read = 0;
    while (ReadFile(file, buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr) &&
           read > 0) {
        bytes.append(buffer.data(), read);
    }
    CloseHandle(file);
    return bytes;
}

uint64_t hashFile(const std::string& path) {
    const std::string bytes = readBytes(path).value_or("");
    return hashBytes(0xcbf29ce484222325ULL, bytes.data(), bytes.size());
}

std::string linkTarget(const std::string& path) {
    HANDLE link = CreateFileW(longPath(path).c_str(), 0,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (link == INVALID_HANDLE_VALUE) {
        return {};
    }
    wchar_t target[1024] = {};
    const DWORD length = GetFinalPathNameByHandleW(link, target, 1024, 0);
    CloseHandle(link);
    return win32::narrow(std::wstring(target, length < 1024 ? length : 0));
}

// Every file and folder below folder, links recorded with their target but never entered.
void walk(const std::string& folder, Snapshot& seen) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileExW(longPath(folder + "\\*").c_str(), FindExInfoBasic, &data,
                                   FindExSearchNameMatch, nullptr, 0);
    if (find == INVALID_HANDLE_VALUE) {
        return;
    }
    do {
        const std::string name = win32::narrow(data.cFileName);
        if (name == "." || name == "..") {
            continue;
        }
        const std::string path = folder + "\\" + name;
        Seen entry;
        entry.folder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        entry.attributes = data.dwFileAttributes & ~DWORD{FILE_ATTRIBUTE_ARCHIVE};
        entry.size = (uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
            const std::string target = linkTarget(path);
            entry.hash = hashBytes(0xcbf29ce484222325ULL, target.data(), target.size());
        } else if (entry.folder) {
            walk(path, seen);
        } else {
            entry.hash = hashFile(path);
        }
        seen[path] = entry;
    } while (FindNextFileW(find, &data));
    FindClose(find);
}

Snapshot driveC(const std::set<std::string>& ignored) {
    Snapshot seen;
    walk("C:", seen);
    std::erase_if(seen, [&](const auto& entry) {
        for (const std::string& path : ignored) {
            if (entry.first == path || entry.first.starts_with(path + "\\")) {
                return true;
            }
        }
        return false;
    });
    return seen;
}

// The snapshot without the given items and everything below them.
Snapshot without(Snapshot seen, const std::vector<std::string>& gone) {
    std::erase_if(seen, [&](const auto& entry) {
        for (const std::string& path : gone) {
            if (entry.first == path || entry.first.starts_with(path + "\\")) {
                return true;
            }
        }
        return false;
    });
    return seen;
}

std::string joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\n";
    }
    return text;
}

// Whether this system removes a folder link itself rather than its target, tried on a link
// to an empty folder. The target must survive either way.
bool canRemoveLinkItself(const std::string& scratch) {
    const std::string target = scratch + "\\probe-target";
    const std::string link = scratch + "\\probe-link";
    makeFolders(target);
    makeLinkedFolder(link, target);
    RemoveDirectoryW(longPath(link).c_str());
    const bool linkGone = GetFileAttributesW(longPath(link).c_str()) == INVALID_FILE_ATTRIBUTES;
    const bool targetKept = GetFileAttributesW(longPath(target).c_str()) != INVALID_FILE_ATTRIBUTES;
    DeleteFileW(longPath(link).c_str());
    RemoveDirectoryW(longPath(target).c_str());
    return linkGone && targetKept;
}

class Canary : public Scenario {
  protected:
    void SetUp() override {
        Scenario::SetUp();
        root = scratch();
        root.pop_back();
        search = root + "\\search";
        specific = root + "\\specific";
        specificTwo = root + "\\specific2";
        files = root + "\\files";
        outside = root + "\\outside";
        longFolder = search;
        for (char c : {'a', 'b', 'c', 'd', 'e'}) {
            longFolder += "\\" + std::string(60, c);
        }
        deepFolder = search + "\\deep";
        for (int level = 0; level < 200; ++level) {
            deepFolder += "\\n" + std::to_string(level);
        }
    }

    // Every flag on but the ten fixed locations, which this run must not touch.
    void storeSettings() {
        for (const char* flag :
             {"Recycle", "Tempfile", "Oldfile", "Delfolder", "Displaybox", "Logs", "Zerofile",
              "Picthumb", "Savepos", "Contextmenu", "Logfile", "Empfolder", "Display"}) {
            settings.writeInt(flag, 1);
        }
        turnOffFixedLocations();
        settings.writeString("FilesName", "desktop.ini;notes.txt");
        settings.writeString("Ext", "obj;Gss");
        settings.writeInt("Pathnum", 2);
        settings.writeString("Patha0", search);
        settings.writeString("Patha1", root + "\\missing");
        settings.writeInt("Pathexnum", 1);
        settings.writeString("Pathexa0", search + "\\excluded");
        settings.writeInt("Foldernum", 2);
        settings.writeString("Foldera0", specific);
        settings.writeString("Foldera1", specificTwo);
        settings.writeInt("Filenum", 3);
        settings.writeString("Filea0", files + "\\held.txt");
        settings.writeString("Filea1", files + "\\single.txt");
        settings.writeString("Fileb2", files + "\\unchecked.txt");
        settings.writeString("Installdir", installDir());
    }

    std::string root, search, specific, specificTwo, files, outside, longFolder, deepFolder;
};

TEST_F(Canary, CleanWithEveryRuleDeletesExactlyTheSelectedItemsAndNothingElseOnDriveC) {
    const std::string s = search + "\\";
    struct Item {
        std::string path;
        std::string bytes;
        DWORD attributes = 0;
    };
    // Selected by a rule; each is one deleted item.
    const std::vector<Item> selected{
        {s + "a.tmp", "tmp"},
        {s + "B.BAK", "bak"},
        {s + "trace.log", "log"},
        {s + "~lock.docx", "owner"},
        {s + "Thumbs.db", "thumbs"},
        {s + "empty.dat", ""},
        {s + "desktop.ini", "[.ShellClassInfo]"},
        {s + "model.OBJ", "obj"},
        {s + "sub\\shader.gss", "gss"},
        {s + "ro.tmp", "ro", FILE_ATTRIBUTE_READONLY},
        {s + "hid.tmp", "hidden", FILE_ATTRIBUTE_HIDDEN},
        {s + "sys.tmp", "system", FILE_ATTRIBUTE_SYSTEM},
        {s + "Café.tmp", "accent"},
        {s + "Ünïcödé\\résumé.bak", "accents"},
        {s + "日本\\ファイル.old", "cjk"},
        {longFolder + "\\long.tmp", "long"},
        {deepFolder + "\\bottom.tmp", "deep"},
        {specific + "\\one.txt", "1"},
        {specific + "\\ro.txt", "ro", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN},
        {specific + "\\Ünï.txt", "u"},
        {specificTwo + "\\a.txt", "a"},
        {files + "\\single.txt", "single"},
    };
    const std::vector<Item> kept{
        {s + "sub\\thumbs.db", "lower-case thumbs"},
        {s + "keep.txt", "keep"},
        {s + "a.tmp.txt", "double extension"},
        {s + ".hidden.tmp", "dot name"},
        {s + ".dotdir\\inner.tmp", "inside a dot folder"},
        {s + "sub\\Desktop.ini", "case twin"},
        {s + "hidden.txt", "hidden keep", FILE_ATTRIBUTE_HIDDEN},
        {s + "readonly.txt", "read-only keep", FILE_ATTRIBUTE_READONLY},
        {s + "system.txt", "system keep", FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN},
        {s + "日本語.txt", "cjk keep"},
        {s + "excluded\\a.tmp", "excluded"},
        {longFolder + "\\long.txt", "long keep"},
        {deepFolder + "\\bottom.txt", "deep keep"},
        {outside + "\\precious.tmp", "precious"},
        {outside + "\\deep\\keep.bak", "precious too"},
        {root + "\\sibling.tmp", "beside the cleaned folders"},
        {specific + "\\.keep", "dot"},
        {files + "\\unchecked.txt", "unchecked"},
    };
    // Selected, but held open by another program when the run comes.
    const std::vector<Item> heldItems{
        {s + "locked.tmp", "held open"},
        {specific + "\\held.txt", "held"},
        {files + "\\held.txt", "held"},
    };
    std::vector<Item> bulkItems;
    for (int i = 0; i < 300; ++i) {
        bulkItems.push_back({s + "bulk\\f" + std::to_string(i) + (i % 2 ? ".tmp" : ".txt"),
                             std::string(static_cast<size_t>(i) + 1, 'b')});
    }
    const std::vector<Item>& bulk = bulkItems;
    for (const auto* list : {&selected, &kept, &heldItems, &bulk}) {
        for (const Item& item : *list) {
            makeFile(item.path, item.bytes, item.attributes);
        }
    }
    makeFile(specific + "\\sub\\x.txt", "x");
    makeFile(specific + "\\sub\\y.txt", "y");
    makeFolders(s + "empty1");
    makeFolders(s + "empty2\\inner");
    makeLinkedFolder(s + "outlink", outside);
    makeLinkedFolder(s + "loop", search);
    makeLinkedFolder(specific + "\\toOutside", outside + "\\deep");
    makeLinkedFolder(specificTwo + "\\back", root);
    makeFolders(outside + "\\empty");
    makeLinkedFolder(specific + "\\toEmpty", outside + "\\empty");
    storeSettings();
    // Wine cannot remove a folder link itself (it opens the target instead), so there the
    // links in the cleaned folders stay, and with them the folder that holds one.
    const bool linksRemovable = canRemoveLinkItself(root);

    const std::string log = installDir() + "logs.log";
    const std::string consoleOutput = "C:\\scratch\\console-output";
    const Snapshot before = driveC({log, consoleOutput});
    std::vector<std::unique_ptr<HeldFile>> holders;
    for (const Item& item : heldItems) {
        holders.push_back(std::make_unique<HeldFile>(item.path));
        ASSERT_TRUE(holders.back()->holding()) << item.path;
    }

    const ConsoleRun run = runConsole({"/clean"}, 120s);
    for (auto& holder : holders) {
        holder->release();
    }

    ASSERT_TRUE(run.exitCode.has_value()) << joined(run.lines);
    EXPECT_EQ(*run.exitCode, 1u) << "held files stayed: " << joined(run.lines);
    std::vector<std::string> gone;
    for (const Item& item : selected) {
        gone.push_back(item.path);
    }
    for (const Item& item : bulk) {
        if (item.path.ends_with(".tmp")) {
            gone.push_back(item.path);
        }
    }
    for (const std::string& folder : {s + "empty1", s + "empty2\\inner", specific + "\\sub"}) {
        gone.push_back(folder);
    }
    if (linksRemovable) {
        for (const std::string& link :
             {specific + "\\toOutside", specific + "\\toEmpty", specificTwo + "\\back"}) {
            gone.push_back(link);
        }
    }
    const size_t deletedItems = gone.size();
    if (linksRemovable) {
        gone.push_back(specificTwo); // emptied, then removed itself under Delfolder, uncounted
    }

    const Snapshot after = driveC({log, consoleOutput});
    const Snapshot expected = without(before, gone);
    std::set<std::string> heldPaths;
    for (const Item& item : heldItems) {
        heldPaths.insert(item.path);
    }
    for (const auto& [path, entry] : expected) {
        const auto found = after.find(path);
        if (found == after.end()) {
            ADD_FAILURE() << "deleted but not selected: " << path;
            continue;
        }
        EXPECT_EQ(found->second.hash, entry.hash) << path;
        EXPECT_EQ(found->second.size, entry.size) << path;
        // A selected file that is held open loses its attributes before the delete fails.
        if (!heldPaths.count(path)) {
            EXPECT_EQ(found->second.attributes, entry.attributes) << path;
        }
    }
    for (const auto& [path, entry] : after) {
        EXPECT_TRUE(expected.count(path)) << "left or added: " << path;
    }
    for (const auto* list : {&kept, &heldItems}) {
        for (const Item& item : *list) {
            EXPECT_EQ(readBytes(item.path), item.bytes) << item.path;
        }
    }

    const std::string finished =
        "Clean finished: " + std::to_string(deletedItems) + " files or folders had been cleaned.";
    bool counted = false;
    for (const std::string& line : run.lines) {
        counted = counted || line.find(finished) != std::string::npos;
        for (const Item& item : heldItems) {
            EXPECT_NE(line, item.path) << "a held file was listed as deleted";
        }
    }
    EXPECT_TRUE(counted) << finished << "\n" << joined(run.lines);
}

} // namespace
} // namespace dustbane::e2e
