#include "engine/clean_driver.h"
#include "engine_fixture.h"
#include "paths/shell_names.h"
#include "settings/settings_summary.h"
#include "targets/target_catalogue.h"

#include <algorithm>
#include <functional>
#include <map>
#include <ostream>
#include <set>
#include <string>
#include <vector>

namespace dustbane::testing {
namespace {

// A tree full of traps for a cleaner: links out of the cleaned folders and back into them,
// dot names, letter-case twins, protected and held files, non-ASCII names, paths beyond
// 260 characters, empty folders and a chain 200 folders deep. A run with every rule on must
// delete exactly what the rules select and leave everything else as it was.
const std::string search = "C:\\canary\\search";
const std::string specific = "C:\\canary\\specific";
const std::string specificTwo = "C:\\canary\\specific2";
const std::string files = "C:\\canary\\files";
const std::string outside = "C:\\outside";

struct Item {
    std::string path;
    std::string contents;
    uint32_t attributes = attributes::archive;
};

// One node as a snapshot sees it.
struct Seen {
    std::string contents;
    uint32_t attributes = 0;
    std::string linkTarget;
    bool operator==(const Seen&) const = default;
    friend std::ostream& operator<<(std::ostream& out, const Seen& seen) {
        return out << "{" << seen.contents.size() << " bytes, attributes " << seen.attributes
                   << (seen.linkTarget.empty() ? "" : ", link to " + seen.linkTarget) << "}";
    }
};

using Snapshot = std::map<std::string, Seen>;

std::string longFolder() {
    std::string path = search;
    for (char c : {'a', 'b', 'c', 'd', 'e'}) {
        path += "\\" + std::string(60, c);
    }
    return path;
}

std::string deepFolder() {
    std::string path = search + "\\deep";
    for (int level = 0; level < 200; ++level) {
        path += "\\n" + std::to_string(level);
    }
    return path;
}

class CanaryTreeTest : public EngineTest {
  protected:
    CanaryTreeTest() {
        for (const FlagField& flag : flagFields) {
            settings.*flag.field = true;
        }
        settings.FilesName = "desktop.ini;notes.txt";
        settings.Ext = "obj;Gss";
        settings.PathList = {{search, true}, {"C:\\canary\\missing", true}};
        settings.PathexList = {{search + "\\excluded", true}};
        // The last one climbs out to the drive's root.
        settings.FolderList = {
            {specific, true}, {specificTwo, true}, {search + "\\..\\twins\\..\\..", true}};
        settings.FileList = {{files + "\\single.txt", true},
                             {files + "\\held.txt", true},
                             {files + "\\missing.txt", true},
                             {files + "\\unchecked.txt", false}};
        fake.files.addFolder("C:\\Program Files\\Dustbane");
        build();
    }

    void add(const Item& item) { fake.files.addFile(item.path, item.contents, item.attributes); }

    void build() {
        const std::string s = search + "\\";
        for (const Item& item : std::vector<Item>{
                 // selected by a rule
                 {s + "a.tmp", "tmp"},
                 {s + "B.BAK", "bak"},
                 {s + "trace.log", "log"},
                 {s + "~lock.docx", "owner"},
                 {s + "Thumbs.db", "thumbs"},
                 {s + "empty.dat", ""},
                 {s + "desktop.ini", "[.ShellClassInfo]"},
                 {s + "model.OBJ", "obj"},
                 {s + "sub\\shader.gss", "gss"},
                 {s + "ro.tmp", "ro", attributes::readOnly},
                 {s + "hid.tmp", "hidden", attributes::hidden},
                 {s + "sys.tmp", "system", attributes::system},
                 {s + "Café.tmp", "accent"},
                 {s + "Ünïcödé\\résumé.bak", "accents"},
                 {s + "日本\\ファイル.old", "cjk"},
                 {longFolder() + "\\long.tmp", "long"},
                 {deepFolder() + "\\bottom.tmp", "deep"},
                 // selected by no rule
                 {s + "sub\\thumbs.db", "lower-case thumbs"},
                 {s + "keep.txt", "keep"},
                 {s + "a.tmp.txt", "double extension"},
                 {s + "dot.", "ends in a dot"},
                 {s + ".hidden.tmp", "dot name"},
                 {s + ".dotdir\\inner.tmp", "inside a dot folder"},
                 {s + "sub\\Desktop.ini", "case twin"},
                 {s + "hidden.txt", "hidden keep", attributes::hidden},
                 {s + "readonly.txt", "read-only keep", attributes::readOnly},
                 {s + "system.txt", "system keep", attributes::system | attributes::hidden},
                 {s + "日本語.txt", "cjk keep"},
                 {s + "locked.tmp", "held open"},
                 {s + "excluded\\a.tmp", "excluded"},
                 {longFolder() + "\\long.txt", "long keep"},
                 // names the shell would read as their twins, which the Recycle Bin cannot take
                 {s + "twin", "twin keep"},
                 {s + "twin.", ""},
                 {s + "note", "note keep"},
                 {s + "note ", ""},
                 {s + "abc\\inside.txt", "beside an empty twin"},
                 {deepFolder() + "\\bottom.txt", "deep keep"},
                 // targets of links, which match the rules but lie outside the cleaned folders
                 {outside + "\\precious.tmp", "precious"},
                 {outside + "\\deep\\keep.bak", "precious too"},
                 {"C:\\canary\\sibling.tmp", "beside the cleaned folders"},
                 // a cleaned folder takes everything but dot names and held files
                 {specific + "\\one.txt", "1"},
                 {specific + "\\ro.txt", "ro", attributes::readOnly | attributes::hidden},
                 {specific + "\\sub\\x.txt", "x"},
                 {specific + "\\sub\\y.txt", "y"},
                 {specific + "\\Ünï.txt", "u"},
                 {specific + "\\tree\\" + std::string(120, 't') + "\\" + std::string(120, 'u') +
                      "\\x.txt",
                  "inside a tree the shell cannot take whole"},
                 {specific + "\\held.txt", "held"},
                 {specific + "\\.keep", "dot"},
                 {specificTwo + "\\a.txt", "a"},
                 {files + "\\single.txt", "single"},
                 {files + "\\held.txt", "held"},
                 {files + "\\unchecked.txt", "unchecked"},
             }) {
            add(item);
        }
        fake.files.addFolder(s + "empty1");
        fake.files.addFolder(s + "abc.");
        fake.files.addFolder(s + "empty2\\inner");
        fake.files.addFolderLink(s + "outlink", outside);
        fake.files.addFolderLink(s + "loop", search);
        fake.files.addFolderLink(specific + "\\toOutside", outside + "\\deep");
        fake.files.addFolderLink(specificTwo + "\\back", "C:\\canary");
        fake.files.lock(s + "locked.tmp");
        fake.files.lock(specific + "\\held.txt");
        fake.files.lock(files + "\\held.txt");
    }

    Snapshot snapshot() const {
        Snapshot seen;
        for (const std::string& path : fake.files.treeBelow("C:")) {
            // The run's own record is the one file it may write.
            if (path == context.installDir + "logs.log") {
                continue;
            }
            const FakeFileSystem::Node* node = fake.files.find(path);
            seen[path] = {node->contents, node->attributes, node->linkTarget};
        }
        return seen;
    }

    static size_t hashOf(const Snapshot& snapshot) {
        std::string all;
        for (const auto& [path, node] : snapshot) {
            all += path + '\0' + node.contents + '\0' + std::to_string(node.attributes) + '\0' +
                   node.linkTarget + '\n';
        }
        return std::hash<std::string>{}(all);
    }

    // The snapshot without the given items and everything stored below them.
    static Snapshot without(Snapshot snapshot, const std::vector<std::string>& gone) {
        for (const std::string& path : gone) {
            std::erase_if(snapshot, [&](const auto& entry) {
                return entry.first == path || entry.first.rfind(path + "\\", 0) == 0;
            });
        }
        return snapshot;
    }

    ProtectedFolders folders{fake.shell, fake.files};
    SettingsSummary summary{settings, language, fake.window.model, folders};
    CleanDriver driver{context, summary, stagesOf(targetCatalogue())};
};

TEST_F(CanaryTreeTest, ARunWithEveryRuleDeletesExactlyTheSelectedItems) {
    const Snapshot before = snapshot();
    const std::string s = search + "\\";

    driver.runTick();

    // Each deleted item once, with the line the run lists for it.
    const std::vector<std::pair<std::string, std::string>> deleted{
        {s + "a.tmp", s + "a.tmp"},
        {s + "B.BAK", s + "B.BAK"},
        {s + "trace.log", s + "trace.log"},
        {s + "~lock.docx", s + "~lock.docx"},
        {s + "Thumbs.db", s + "Thumbs.db"},
        {s + "empty.dat", s + "empty.dat (0 byte)"},
        {s + "desktop.ini", s + "desktop.ini"},
        {s + "model.OBJ", s + "model.OBJ"},
        {s + "sub\\shader.gss", s + "sub\\shader.gss"},
        {s + "ro.tmp", s + "ro.tmp"},
        {s + "hid.tmp", s + "hid.tmp"},
        {s + "sys.tmp", s + "sys.tmp"},
        {s + "Café.tmp", s + "Café.tmp"},
        {s + "Ünïcödé\\résumé.bak", s + "Ünïcödé\\résumé.bak"},
        {s + "日本\\ファイル.old", s + "日本\\ファイル.old"},
        {s + "empty1", s + "empty1 (Empty folder)"},
        {s + "empty2\\inner", s + "empty2\\inner (Empty folder)"},
        {specific + "\\one.txt", specific + "\\one.txt"},
        {specific + "\\ro.txt", specific + "\\ro.txt"},
        {specific + "\\sub", specific + "\\sub"},
        {specific + "\\toOutside", specific + "\\toOutside"},
        {specific + "\\Ünï.txt", specific + "\\Ünï.txt"},
        {specificTwo + "\\a.txt", specificTwo + "\\a.txt"},
        {specificTwo + "\\back", specificTwo + "\\back"},
        {files + "\\single.txt", ""},
    };
    std::vector<std::string> gone;
    std::multiset<std::string> expectedLines;
    for (const auto& [path, line] : deleted) {
        gone.push_back(path);
        if (!line.empty()) {
            expectedLines.insert(line);
        }
    }
    // The Recycle Bin is on: what the shell would read as another item stays, with a line.
    for (const std::string& path :
         {longFolder() + "\\long.tmp", deepFolder() + "\\bottom.tmp",
          // kept whole, with what is in it
          specific + "\\tree\\" + std::string(120, 't') + "\\" + std::string(120, 'u'), s + "twin.",
          s + "note ", s + "abc."}) {
        expectedLines.insert("10:42:07 Kept, the Recycle Bin cannot take this name: " + path);
    }
    expectedLines.insert("10:42:07 Protected folder, not cleaned: C:\\");
    // Emptied, then removed itself, uncounted: the second folder under Delfolder.
    gone.push_back(specificTwo);

    const std::set<std::string> held{s + "locked.tmp", specific + "\\held.txt",
                                     files + "\\held.txt"};
    const Snapshot after = snapshot();
    const Snapshot expected = without(before, gone);
    EXPECT_EQ(after.size(), expected.size());
    for (const auto& [path, node] : expected) {
        auto found = after.find(path);
        if (found == after.end()) {
            ADD_FAILURE() << "deleted but not selected: " << path;
            continue;
        }
        EXPECT_EQ(found->second.contents, node.contents) << path;
        EXPECT_EQ(found->second.linkTarget, node.linkTarget) << path;
        // A selected file that is held open has already lost its attributes when the delete
        // fails; every other survivor keeps them.
        if (!held.count(path)) {
            EXPECT_EQ(found->second.attributes, node.attributes) << path;
        }
    }
    for (const auto& [path, node] : after) {
        EXPECT_TRUE(expected.count(path)) << "left but selected: " << path;
    }
    const std::vector<std::string> heldPaths(held.begin(), held.end());
    EXPECT_EQ(hashOf(without(after, heldPaths)), hashOf(without(expected, heldPaths)));

    EXPECT_EQ(model.deletedCount(), static_cast<int32_t>(deleted.size()));
    std::multiset<std::string> itemLines;
    for (const std::string& caption : withoutFreedLine(fake.window.captions())) {
        if (caption.rfind("10:42:07 ", 0) != 0 || caption.find(": C:\\") != std::string::npos) {
            itemLines.insert(caption);
        }
    }
    for (const std::string& line : expectedLines) {
        EXPECT_EQ(itemLines.count(line), expectedLines.count(line)) << "line " << line;
    }
    for (const std::string& line : itemLines) {
        EXPECT_TRUE(expectedLines.count(line)) << "unexpected line " << line;
    }

    const std::vector<std::string> captions = withoutFreedLine(fake.window.captions());
    auto hasLine = [&](const std::string& line) {
        return std::find(captions.begin(), captions.end(), line) != captions.end();
    };
    EXPECT_TRUE(hasLine("10:42:07 Not clean all files of " + specific));
    EXPECT_TRUE(hasLine("10:42:07 Clean " + specificTwo));
    EXPECT_TRUE(hasLine("10:42:07 Successfully Clean " + files + "\\single.txt"));
    EXPECT_TRUE(hasLine("10:42:07 Not clean " + files + "\\held.txt"));
    EXPECT_EQ(captions.back(), "10:42:07 Clean finished: " + std::to_string(deleted.size()) +
                                   " files or folders had been cleaned.");
    for (const std::string& path : fake.shell.recycleCalls) {
        EXPECT_TRUE(shellNamesExactly(path)) << "the shell would take another item for " << path;
    }
    for (const std::string& link : {s + "outlink", s + "loop", specific + "\\toOutside"}) {
        for (const std::string& listed : fake.files.listedFolders()) {
            EXPECT_NE(listed.rfind(link, 0), 0u) << "entered the link " << link;
        }
    }
}

TEST_F(CanaryTreeTest, TheNextRunRemovesOnlyTheFoldersTheFirstLeftEmpty) {
    driver.runTick();
    const Snapshot before = snapshot();

    driver.runTick();
    // Emptiness is judged before anything inside is deleted, so the folders the first run
    // emptied go now; nothing else is selected a second time.
    const std::vector<std::string> emptied{search + "\\empty2", search + "\\Ünïcödé",
                                           search + "\\日本"};
    EXPECT_EQ(snapshot(), without(before, emptied));
    EXPECT_EQ(model.deletedCount(), 3);
}

} // namespace
} // namespace dustbane::testing
