#include "engine/deletion.h"

#include "engine/run_status.h"
#include "paths/shell_names.h"

#include <vector>

namespace dustbane {

namespace {

bool startsWithDot(const std::string& name) {
    return !name.empty() && name.front() == '.';
}

bool isDotEntry(const std::string& name) {
    return name == "." || name == "..";
}

// The bytes of the files below the folder, or nullopt when the shell's whole-folder move
// must not see this tree: a link below it might be followed into its target, a name it reads
// differently or a path too long for it makes it take another item or fail. The walk never
// enters a link, so a loop of links cannot hold it. A subfolder that cannot be listed may
// hide either, so it counts too.
std::optional<uint64_t> sizeForShellMove(FileSystem& files, const std::string& folder) {
    auto listing = files.list(folder);
    if (!listing) {
        return std::nullopt;
    }
    const std::string dir = withBackslash(folder);
    uint64_t total = 0;
    DirectoryEntry entry;
    while (listing->next(entry)) {
        if (isDotEntry(entry.name)) {
            continue;
        }
        if (entry.isLink() || !shellNamesExactly(dir + entry.name)) {
            return std::nullopt;
        }
        if (!entry.isDirectory()) {
            total += entry.size;
        } else if (const auto below = sizeForShellMove(files, dir + entry.name)) {
            total += *below;
        } else {
            return std::nullopt;
        }
    }
    return total;
}

// Status panel 0 names the item, then pending messages run.
void showCleaning(RunContext& context, const std::string& path) {
    showActivity(context, Text::Cleaning, path);
    context.window.pumpMessages();
}

// DeleteFile refuses only a read-only file, so the attributes get a call of their own only
// then: a call per file would cost as much as the deletion.
bool deleteFileWith(FileSystem& files, const std::string& path, uint32_t attributes) {
    if ((attributes & attributes::readOnly) != 0) {
        files.setNormalAttributes(path);
    }
    return files.deleteFile(path);
}

// Removes a link itself, never what it points to. Its attributes are left alone, since
// setting them may reach the target.
bool removeLink(FileSystem& files, const std::string& path, bool folder) {
    return folder ? files.removeDirectory(path) : files.deleteFile(path);
}

} // namespace

Deletion::Deletion(RunContext& context) : context_(context) {}

std::string withBackslash(const std::string& path) {
    return !path.empty() && path.back() == '\\' ? path : path + "\\";
}

const ProtectedFolders& Deletion::protectedFolders() {
    if (!protected_) {
        protected_.emplace(context_.platform.shell, context_.platform.files);
    }
    return *protected_;
}

void Deletion::refuseFolder(const std::string& path) {
    addWarningLine(Text::ProtectedFolderNotCleaned, path);
}

void Deletion::refuseForbidden(const std::string& path) {
    addWarningLine(Text::ForbiddenByAdministrator, path);
}

void Deletion::addWarningLine(Text textEntry, const std::string& path) {
    addResultLine(context_.platform.system.longTimeNow() + " " + context_.language.text(textEntry) +
                      " " + path,
                  LineImage::Warning);
}

bool Deletion::refusedAsProtected(const std::string& path) {
    if (!protectedFolders().isProtected(path)) {
        return false;
    }
    refuseFolder(path);
    return true;
}

bool Deletion::recycling() const {
    return context_.run.recycleAllowed && context_.settings.Recycle;
}

bool Deletion::keptByAge(const DirectoryEntry& entry) const {
    const std::optional<FileTime>& keepFrom = context_.run.keepFrom;
    return keepFrom && !entry.isDirectory() &&
           (entry.written >= *keepFrom || entry.created >= *keepFrom);
}

bool Deletion::deleteItem(const std::string& path) {
    return deleteItem(path, context_.platform.files.entryOf(path).value_or(DirectoryEntry{}));
}

bool Deletion::deleteItem(const std::string& path, const DirectoryEntry& entry) {
    if (keptByAge(entry)) {
        return false;
    }
    showCleaning(context_, path);
    FileSystem& files = context_.platform.files;
    if (entry.isLink()) {
        return tallied(removeLink(files, path, entry.isDirectory()), linkItem(path, entry));
    }
    if (!entry.isDirectory()) {
        return deleteFileItem(path, entry);
    }
    if (refusedAsProtected(path)) {
        return false;
    }
    // Gone whole it would take its young files along: under the age limit a folder is
    // emptied entry by entry, and goes only when nothing in it stayed.
    if (ageLimited()) {
        return counted(cleanFolder(path), {path, 0, true, false});
    }
    return deleteFolderWhole(path);
}

bool Deletion::deleteFileItem(const std::string& path, const DirectoryEntry& entry) {
    if (recycling()) {
        return recycleFile(path, entry.size);
    }
    return tallied(deleteFileWith(context_.platform.files, path, entry.attributes),
                   {path, entry.size, false, false});
}

bool Deletion::deleteFolderWhole(const std::string& path) {
    if (recycling()) {
        return recycleFolder(path);
    }
    std::vector<LedgerItem> removed;
    if (removeTree(path, removed)) {
        uint64_t size = 0;
        for (const LedgerItem& item : removed) {
            size += item.size;
        }
        return counted(true, {path, size, true, false});
    }
    // What did go is shown and counted item by item, as an entry-by-entry clean would.
    const bool listed = context_.settings.Display && context_.run.listEachItem;
    for (const LedgerItem& item : removed) {
        counted(true, item);
        if (listed) {
            addResultLine(item.path,
                          item.folder ? LineImage::FolderRemoved : LineImage::FileRemoved);
        }
    }
    return false;
}

bool Deletion::keptFromRecycleBin(const std::string& path) {
    if (!recycling() || shellNamesExactly(path)) {
        return false;
    }
    // The user asked for deletions that can be undone: nothing goes for good instead.
    addWarningLine(Text::RecycleBinCannotTakeName, path);
    return true;
}

bool Deletion::recycleFile(const std::string& path, uint64_t size) {
    if (keptFromRecycleBin(path)) {
        return false;
    }
    context_.platform.files.setNormalAttributes(path);
    const int code = context_.platform.shell.recycleItem(path);
    return tallied(code == 0, {path, size, false, true}, stayReasonOfShellCode(code));
}

bool Deletion::recycleFolder(const std::string& path) {
    FileSystem& files = context_.platform.files;
    if (keptFromRecycleBin(path)) {
        return false;
    }
    const std::optional<uint64_t> size = sizeForShellMove(files, path);
    if (!size) {
        // Left to the caller's entry-by-entry fallback, which removes links as links.
        return false;
    }
    files.setNormalAttributes(path);
    if (context_.platform.shell.recycleItem(path) == 0) {
        return counted(true, {path, *size, true, true});
    }
    // A move that fails part-way has still moved some of the folder: those bytes are in the
    // Recycle Bin now, though the folder is no deleted item.
    const uint64_t left = sizeForShellMove(files, path).value_or(*size);
    if (left < *size) {
        context_.run.ledger.deleted({path, *size - left, true, true});
    }
    return false;
}

bool Deletion::removeTree(const std::string& folder, std::vector<LedgerItem>& removed) {
    FileSystem& files = context_.platform.files;
    const std::string dir = withBackslash(folder);
    bool whole = true;
    if (auto listing = files.list(dir)) {
        DirectoryEntry entry;
        while (whole && listing->next(entry)) {
            if (isDotEntry(entry.name)) {
                continue;
            }
            context_.window.pumpMessages();
            if (context_.run.stopRequested) {
                return false;
            }
            const std::string full = dir + entry.name;
            bool gone = false;
            if (entry.isLink()) {
                gone = removeLink(files, full, entry.isDirectory());
            } else if (entry.isDirectory()) {
                whole = removeTree(full, removed);
                continue;
            } else {
                gone = deleteFileWith(files, full, entry.attributes);
            }
            if (gone) {
                removed.push_back(entry.isLink() ? linkItem(full, entry)
                                                 : LedgerItem{full, entry.size, false, false});
            }
            whole = whole && gone;
        }
    }
    if (!whole) {
        return false;
    }
    files.setNormalAttributes(folder);
    if (!files.removeDirectory(folder)) {
        return false;
    }
    removed.push_back({folder, 0, true, false});
    return true;
}

void Deletion::addResultLine(const std::string& text, LineImage image) {
    context_.model.addLine(text, image);
}

void Deletion::addStageLine(const std::string& word, const std::string& subject) {
    addResultLine(context_.platform.system.longTimeNow() + " " + word + " " + subject,
                  LineImage::Note);
}

template <typename Visit> void Deletion::walk(const std::string& dir, Visit visit) {
    auto listing = context_.platform.files.list(dir);
    if (!listing) {
        return;
    }
    DirectoryEntry entry;
    while (listing->next(entry)) {
        context_.window.pumpMessages();
        if (startsWithDot(entry.name)) {
            continue;
        }
        if (context_.run.stopRequested) {
            break;
        }
        visit(entry, dir + entry.name);
    }
}

bool Deletion::cleanInside(const std::string& path) {
    FileSystem& files = context_.platform.files;
    CleanRun& run = context_.run;
    const CleanSettings& settings = context_.settings;
    showActivity(context_, Text::Cleaning, path);

    const std::string dir = withBackslash(path);
    bool ok = true;
    walk(dir, [&](const DirectoryEntry& entry, const std::string& full) {
        const bool listed = settings.Display && run.listEachItem;
        const LineImage image =
            entry.isDirectory() ? LineImage::FolderRemoved : LineImage::FileRemoved;
        bool deleted = false;
        if (keptByAge(entry)) {
            // It stays unlisted, and so does this folder.
        } else if (entry.isLink()) {
            deleted = tallied(removeLink(files, full, entry.isDirectory()), linkItem(full, entry));
        } else if (entry.isDirectory()) {
            if (refusedAsProtected(full)) {
                ok = false;
                return;
            }
            showCleaning(context_, full);
            // Kept whole: emptied entry by entry it would end removed for good.
            if (keptFromRecycleBin(full)) {
                ok = false;
                return;
            }
            // A folder that cannot go whole is emptied entry by entry; once it is removed that
            // way it is one deleted folder all the same. Under the age limit no folder goes
            // whole, so that its young files stay.
            deleted = (!ageLimited() && deleteFolderWhole(full)) ||
                      counted(cleanFolder(full), {full, 0, true, false});
        } else if (run.recycleAllowed) {
            deleted = deleteItem(full, entry);
        } else {
            deleted = tallied(deleteFileWith(files, full, entry.attributes),
                              {full, entry.size, false, false});
        }
        if (deleted && listed) {
            addResultLine(full, image);
        }
        ok = ok && deleted;
        if (!entry.isDirectory()) {
            advanceProgress(context_.model, 1);
        }
    });
    return ok;
}

bool Deletion::emptyFolder(const std::string& path) {
    return !refusedAsProtected(path) && cleanInside(path);
}

bool Deletion::cleanFolder(const std::string& path) {
    if (refusedAsProtected(path)) {
        return false;
    }
    const bool ok = cleanInside(path);
    FileSystem& files = context_.platform.files;
    const CleanRun& run = context_.run;
    const CleanSettings& settings = context_.settings;
    const std::string dir = withBackslash(path);
    const bool removing = path != run.rootFolder || settings.Delfolder;
    if (removing && keptFromRecycleBin(path)) {
        return false;
    }
    if (path != run.rootFolder) {
        files.setNormalAttributes(dir);
        return files.removeDirectory(dir);
    }
    if (settings.Delfolder) {
        files.setNormalAttributes(run.rootFolder);
        return files.removeDirectory(run.rootFolder) && ok;
    }
    return ok;
}

void Deletion::cleanNamedSubfolders(const std::string& folder, const std::string& dirName,
                                    const std::string& fileName) {
    CleanRun& run = context_.run;
    showActivity(context_, Text::Cleaning, folder);
    walk(withBackslash(folder), [&](const DirectoryEntry& entry, const std::string& full) {
        if (entry.isDirectory()) {
            // A folder link is never entered, whatever its name.
            if (entry.isLink()) {
                return;
            }
            if (entry.name == dirName) {
                run.rootFolder = full;
                cleanFolder(run.rootFolder);
            } else {
                cleanNamedSubfolders(full, dirName, fileName);
            }
            return;
        }
        if (entry.name == fileName && deleteItem(full) && context_.settings.Display &&
            run.listEachItem) {
            addResultLine(full, LineImage::FileRemoved);
        }
        advanceProgress(context_.model, 1);
    });
}

bool Deletion::removeEmptyFolder(const std::string& path) {
    const ProtectedFolders::Standing standing = protectedFolders().standingOf(path);
    if (standing == ProtectedFolders::Standing::KnownFolderRoot) {
        return false;
    }
    showCleaning(context_, path);
    if (standing == ProtectedFolders::Standing::Protected) {
        refuseFolder(path);
        return false;
    }
    if (recycling()) {
        return recycleFolder(path);
    }
    // Only the folder itself: whatever was passed over as no content (names beginning with
    // a dot) or has appeared since keeps it in place.
    FileSystem& files = context_.platform.files;
    files.setNormalAttributes(path);
    return counted(files.removeDirectory(path), {path, 0, true, false});
}

LedgerItem Deletion::linkItem(const std::string& path, const DirectoryEntry& entry) {
    // A link frees only itself, whatever its target holds.
    return {path, entry.isDirectory() ? 0 : entry.size, entry.isDirectory(), false};
}

bool Deletion::counted(bool deleted, const LedgerItem& item) {
    if (deleted) {
        countItem(item, " ");
    }
    return deleted;
}

bool Deletion::tallied(bool deleted, const LedgerItem& item, StayReason reason) {
    if (!deleted) {
        context_.run.ledger.stayed(item, reason);
    }
    return counted(deleted, item);
}

void Deletion::countItem(const LedgerItem& item, const std::string& separator) {
    countDeleted(context_, separator);
    context_.run.ledger.deleted(item);
}

} // namespace dustbane
