#pragma once

#include "engine/run_context.h"
#include "paths/protected_folders.h"

#include <optional>
#include <string>

namespace dustbane {

// The deletion primitives every stage deletes through, and the result lines.
class Deletion {
  public:
    explicit Deletion(RunContext& context);

    // Deletes one file or one whole folder: to the Recycle Bin through the shell when the run
    // allows it and Recycle is set, else for good through the file system. Counts and shows
    // the deleted item. A protected folder is refused with a warning line.
    bool deleteItem(const std::string& path);
    // The same for an item the caller has just read from its folder's listing, which saves
    // asking for its attributes and times again.
    bool deleteItem(const std::string& path, const DirectoryEntry& entry);
    // Whether the age limit keeps this file: it was written or created too recently. A kept
    // file is neither deleted, listed nor counted, and the folder holding it stays.
    bool keptByAge(const DirectoryEntry& entry) const;
    void addResultLine(const std::string& text, LineImage image);
    // The current time, the word and the subject, as an information line.
    void addStageLine(const std::string& word, const std::string& subject);
    // Deletes everything inside path, then path itself unless it is the run's rootFolder
    // (and Delfolder is clear) or something inside stayed. Refuses protected folders, drive
    // roots among them.
    bool cleanFolder(const std::string& path);
    // Deletes everything inside path; path itself always stays. Refuses protected folders.
    bool emptyFolder(const std::string& path);
    // Cleans every folder named dirName below folder and deletes every file named fileName.
    void cleanNamedSubfolders(const std::string& folder, const std::string& dirName,
                              const std::string& fileName);
    // Removes a folder the search found empty, as the item it is: never its contents, never
    // a protected folder or a known folder's root.
    bool removeEmptyFolder(const std::string& path);

    // The folders no stage may empty or remove, read afresh for each run.
    const ProtectedFolders& protectedFolders();
    void forgetProtectedFolders() { protected_.reset(); }
    // Adds the warning line for a folder that is left alone.
    void refuseFolder(const std::string& path);
    // Adds the warning line for a root the administrator forbids.
    void refuseForbidden(const std::string& path);

    RunContext& context() { return context_; }

    // Counts an item that went, shows the count after the separator and enters it in the
    // run's ledger.
    void countItem(const LedgerItem& item, const std::string& separator);

  private:
    bool recycling() const;
    bool ageLimited() const { return context_.run.keepFrom.has_value(); }
    static LedgerItem linkItem(const std::string& path, const DirectoryEntry& entry);
    // Counts the item when it went; returns whether it did. A folder that stays is no item of
    // its own: what kept it has been counted already, or it stayed by the age limit.
    bool counted(bool deleted, const LedgerItem& item);
    // The same for a file or link, which is entered as staying, for the reason given, when it
    // did not go.
    bool tallied(bool deleted, const LedgerItem& item, StayReason reason = StayReason::NotDeleted);
    // "<time> <text> <path>" with the warning picture.
    void addWarningLine(Text textEntry, const std::string& path);
    // A protected folder gets its warning line and true.
    bool refusedAsProtected(const std::string& path);
    // Deletes everything inside path; true when all of it went.
    bool cleanInside(const std::string& path);
    bool deleteFileItem(const std::string& path, const DirectoryEntry& entry);
    bool deleteFolderWhole(const std::string& path);
    // While the run recycles, an item the shell would take another item for stays, with a
    // warning line; true when it does.
    bool keptFromRecycleBin(const std::string& path);
    // Moves the item to the Recycle Bin, or keeps it with a line when the shell would take
    // another item for it.
    bool recycleFile(const std::string& path, uint64_t size);
    bool recycleFolder(const std::string& path);
    // Deletes the folder and everything in it for good, links as links, noting what went.
    bool removeTree(const std::string& folder, std::vector<LedgerItem>& removed);
    // Visits the entries of dir as every walk here does: pending messages run at each entry,
    // names beginning with a dot are passed over, and a stop ends the walk at the next
    // entry. visit gets the entry and its full path.
    template <typename Visit> void walk(const std::string& dir, Visit visit);

    RunContext& context_;
    std::optional<ProtectedFolders> protected_;
};

// Appends a backslash unless the path already ends in one.
std::string withBackslash(const std::string& path);

} // namespace dustbane
