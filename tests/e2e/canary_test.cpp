// A canary tree for the real program: folder links out of the cleaned folders and back into
// them, a link loop, dot names, letter-case twins, twins whose names differ only by a trailing
// dot or space, read-only, hidden and system files, files held open, accented and CJK names,
// paths beyond 260 characters, empty folders, a chain 200 folders deep, and a folder to delete
// and two other programs' registry paths that climb with ".." out to folders nobody selected.
// /clean with every rule on must delete exactly what the rules select and the Recycle Bin can
// take, and leave every other file of drive C: as it was, byte for byte.

#include "driver/console_run.h"
#include "driver/driver.h"
#include "driver/held_file.h"
#include "driver/verbatim_files.h"
#include "folder_link.h"
#include "platform/win32/text.h"

#include <gtest/gtest.h>
#include <memory>
#include <set>
#include <string>
#include <vector>
#include <windows.h>

namespace dustbane::e2e {
namespace {

// A folder link, with the folders that lead to it.
void makeLinkedFolder(const std::string& link, const std::string& target) {
    makeVerbatimFolders(link.substr(0, link.rfind('\\')));
    ASSERT_TRUE(dustbane::testing::makeFolderLink(link, target)) << link;
    const DWORD attributes = GetFileAttributesW(win32::widen(link).c_str());
    ASSERT_EQ(attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT),
              DWORD{FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT})
        << link;
}

TreeSnapshot driveC(const std::vector<std::string>& ignored) {
    return without(snapshotTree("C:", FileStamp::Hashed), ignored);
}

// Whether this system removes a folder link itself rather than its target, tried on a link
// to an empty folder. The target must survive either way.
bool canRemoveLinkItself(const std::string& scratch) {
    const std::string target = scratch + "\\probe-target";
    const std::string link = scratch + "\\probe-link";
    makeVerbatimFolders(target);
    makeLinkedFolder(link, target);
    RemoveDirectoryW(verbatimPath(link).c_str());
    const bool linkGone = GetFileAttributesW(verbatimPath(link).c_str()) == INVALID_FILE_ATTRIBUTES;
    const bool targetKept =
        GetFileAttributesW(verbatimPath(target).c_str()) != INVALID_FILE_ATTRIBUTES;
    DeleteFileW(verbatimPath(link).c_str());
    RemoveDirectoryW(verbatimPath(target).c_str());
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
        // Both name a folder outside the profile, where no other program's data may be cleaned.
        settings.writeInt("Acdsee", 1);
        settings.writeInt("GoogleEarth", 1);
        RegKey(HKEY_CURRENT_USER, "Software\\ACD Systems\\ACDSee\\10.0")
            .writeString("DBPath", outside + "\\db\\..");
        RegKey(HKEY_CURRENT_USER, "Software\\Google\\Google Earth Plus")
            .writeString("CachePath", outside + "\\cache\\..");
        settings.writeString("FilesName", "desktop.ini;notes.txt");
        settings.writeString("Ext", "obj;Gss");
        settings.writeInt("Pathnum", 2);
        settings.writeString("Patha0", search);
        settings.writeString("Patha1", root + "\\missing");
        settings.writeInt("Pathexnum", 1);
        settings.writeString("Pathexa0", search + "\\excluded");
        settings.writeInt("Foldernum", 3);
        settings.writeString("Foldera0", specific);
        settings.writeString("Foldera1", specificTwo);
        // C:\users, every profile below it.
        settings.writeString("Foldera2", root + "\\..\\..\\users");
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
        {specific + "\\one.txt", "1"},
        {specific + "\\ro.txt", "ro", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN},
        {specific + "\\Ünï.txt", "u"},
        {specificTwo + "\\a.txt", "a"},
        {files + "\\single.txt", "single"},
        // Twins of names the Recycle Bin cannot take; everything in a folder to delete goes.
        {specific + "\\data", "plain twin"},
        {specific + "\\note", "plain twin"},
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
        {outside + "\\dbCache.dat", "another program's cache, outside the profile"},
        {outside + "\\db\\ImageDB.fpt", "another program's database, outside the profile"},
        // The twins the shell would reach: no rule selects them.
        {s + "data", "data twin"},
        {s + "note", "note twin"},
        {s + "abc\\inside.txt", "abc twin"},
    };
    // Selected by a rule, but the Recycle Bin is on and cannot take them: the shell fails on a
    // path this long, and reads a name without its trailing dot or space, as the twin's above.
    const std::vector<Item> binCannotTake{
        {longFolder + "\\long.tmp", "long"},
        {deepFolder + "\\bottom.tmp", "deep"},
        {s + "data.", ""},
        {s + "note ", ""},
        {specific + "\\data.", "dotted in a folder to delete"},
        {specific + "\\note ", "spaced in a folder to delete"},
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
    for (const auto* list : {&selected, &kept, &binCannotTake, &heldItems, &bulk}) {
        for (const Item& item : *list) {
            makeVerbatimFile(item.path, item.bytes, item.attributes);
        }
    }
    makeVerbatimFile(specific + "\\sub\\x.txt", "x");
    makeVerbatimFile(specific + "\\sub\\y.txt", "y");
    makeVerbatimFile(specific + "\\abc\\x.txt", "x");
    makeVerbatimFolders(specific + "\\abc.");
    makeVerbatimFolders(s + "abc.");
    makeVerbatimFolders(s + "empty1");
    makeVerbatimFolders(s + "empty2\\inner");
    makeLinkedFolder(s + "outlink", outside);
    makeLinkedFolder(s + "loop", search);
    makeLinkedFolder(specific + "\\toOutside", outside + "\\deep");
    makeLinkedFolder(specificTwo + "\\back", root);
    makeVerbatimFolders(outside + "\\empty");
    makeLinkedFolder(specific + "\\toEmpty", outside + "\\empty");
    storeSettings();
    // Wine cannot remove a folder link itself (it opens the target instead), so there the
    // links in the cleaned folders stay, and with them the folder that holds one.
    const bool linksRemovable = canRemoveLinkItself(root);

    const std::string log = installDir() + "logs.log";
    const std::string consoleOutput = "C:\\scratch\\console-output";
    const TreeSnapshot before = driveC({log, consoleOutput});
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
    for (const std::string& folder :
         {s + "empty1", s + "empty2\\inner", specific + "\\sub", specific + "\\abc"}) {
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

    const TreeSnapshot after = driveC({log, consoleOutput});
    const TreeSnapshot expected = without(before, gone);
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
        EXPECT_EQ(found->second.stamp, entry.stamp) << path;
        EXPECT_EQ(found->second.size, entry.size) << path;
        // A selected file that is held open loses its attributes before the delete fails.
        if (!heldPaths.count(path)) {
            EXPECT_EQ(found->second.attributes, entry.attributes) << path;
        }
    }
    for (const auto& [path, entry] : after) {
        EXPECT_TRUE(expected.count(path)) << "left or added: " << path;
    }
    for (const auto* list : {&kept, &binCannotTake, &heldItems}) {
        for (const Item& item : *list) {
            EXPECT_EQ(readVerbatim(item.path), item.bytes) << item.path;
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

    // Every item kept against a rule, and every folder refused, is named once by a warning.
    const std::string keptWords = "Kept, the Recycle Bin cannot take this name: ";
    const std::string refusedWords = "Protected folder, not cleaned: ";
    std::multiset<std::string> warnings;
    for (const std::string& line : run.lines) {
        for (const std::string& words : {keptWords, refusedWords}) {
            if (const size_t at = line.find(words); at != std::string::npos) {
                warnings.insert(line.substr(at));
            }
        }
    }
    std::multiset<std::string> expectedWarnings{refusedWords + outside, refusedWords + outside,
                                                refusedWords + "C:\\users", keptWords + s + "abc.",
                                                keptWords + specific + "\\abc."};
    for (const Item& item : binCannotTake) {
        expectedWarnings.insert(keptWords + item.path);
    }
    EXPECT_EQ(warnings, expectedWarnings) << joined(run.lines);
}

} // namespace
} // namespace dustbane::e2e
