#include "engine/deletion.h"

namespace dustbane {

namespace {

// Language-table entries.
constexpr int cleaningText = 17;
constexpr int deletedText = 18;

bool startsWithDot(const std::string& name) {
    return !name.empty() && name.front() == '.';
}

// Counts what a path takes in UTF-16: a four-byte sequence needs two units.
size_t utf16Length(const std::string& text) {
    size_t units = 0;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        units += (byte & 0xC0) == 0x80 ? 0 : byte >= 0xF0 ? 2 : 1;
    }
    return units;
}

bool tooLongForShell(const std::string& path) {
    return utf16Length(path) > maxShellPathLength;
}

// Whether the shell's whole-folder delete must not see this tree: a link below it would be
// followed into its target, a path too long for the shell makes it fail (or crash). The walk
// never enters a link, so a loop of links cannot hold it. A subfolder that cannot be listed
// may hide either, so it counts too.
bool unfitForShell(FileSystem& files, const std::string& folder) {
    auto listing = files.list(folder);
    if (!listing) {
        return true;
    }
    const std::string dir = withBackslash(folder);
    DirectoryEntry entry;
    while (listing->next(entry)) {
        if (entry.name == "." || entry.name == "..") {
            continue;
        }
        if (entry.isLink() || tooLongForShell(dir + entry.name)) {
            return true;
        }
        if (entry.isDirectory() && unfitForShell(files, dir + entry.name)) {
            return true;
        }
    }
    return false;
}

// Status panel 0 names the item, then pending messages run.
void showActivity(RunContext& context, const std::string& path) {
    context.window.setStatusText(0, context.language.text(cleaningText) + " " + path);
    context.window.pumpMessages();
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

bool Deletion::deleteItem(const std::string& path) {
    FileSystem& files = context_.platform.files;
    const std::optional<uint32_t> found = files.attributesOf(path);
    const bool folder = found && (*found & attributes::directory) != 0;
    if (found && (*found & attributes::reparsePoint) != 0) {
        showActivity(context_, path);
        // The shell's permanent delete would recurse into the target.
        if (!removeLink(files, path, folder)) {
            return false;
        }
        countDeleted(" ");
        return true;
    }
    if (folder && unfitForShell(files, path)) {
        // Left to the caller's entry-by-entry fallback, which removes links as links.
        showActivity(context_, path);
        return false;
    }
    return shellDelete(path);
}

bool Deletion::shellDelete(const std::string& path) {
    showActivity(context_, path);
    FileSystem& files = context_.platform.files;
    files.setNormalAttributes(path);
    bool deleted = false;
    if (tooLongForShell(path)) {
        // Deleted for good, as the shell itself does with what the Recycle Bin cannot take;
        // a folder only when it is empty, which the caller's fallback sees to.
        deleted =
            files.directoryExists(path) ? files.removeDirectory(path) : files.deleteFile(path);
    } else {
        const bool toRecycleBin = context_.run.recycleAllowed && context_.settings.Recycle;
        deleted = context_.platform.shell.deleteItem(path, toRecycleBin) == 0;
    }
    if (!deleted) {
        return false;
    }
    countDeleted(" ");
    return true;
}

void Deletion::addResultLine(const std::string& text, LineImage image) {
    context_.window.addLine(text, image);
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

bool Deletion::cleanFolder(const std::string& path) {
    if (path.size() < 4) {
        return false;
    }
    WindowOperations& window = context_.window;
    FileSystem& files = context_.platform.files;
    CleanRun& run = context_.run;
    const CleanSettings& settings = context_.settings;
    window.setStatusText(0, context_.language.text(cleaningText) + " " + path);

    const std::string dir = withBackslash(path);
    bool ok = true;
    walk(dir, [&](const DirectoryEntry& entry, const std::string& full) {
        const bool listed = settings.Display && run.listEachItem;
        const LineImage image =
            entry.isDirectory() ? LineImage::FolderRemoved : LineImage::FileRemoved;
        bool deleted = false;
        if (entry.isLink()) {
            deleted = removeLink(files, full, entry.isDirectory());
            if (deleted) {
                countDeleted(" ");
            }
        } else if (entry.isDirectory() && unfitForShell(files, full)) {
            // The shell must not see this tree; its removal entry by entry is the result.
            ok = cleanFolder(full) && ok;
            return;
        } else if (entry.isDirectory()) {
            deleted = shellDelete(full);
            if (!deleted) {
                cleanFolder(full);
            }
        } else if (run.recycleAllowed) {
            deleted = deleteItem(full);
        } else {
            files.setNormalAttributes(full);
            deleted = files.deleteFile(full);
            if (deleted) {
                countDeleted(" ");
            }
        }
        if (deleted && listed) {
            addResultLine(full, image);
        }
        ok = ok && deleted;
        if (!entry.isDirectory()) {
            advanceProgress(1);
        }
    });

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
    WindowOperations& window = context_.window;
    CleanRun& run = context_.run;
    window.setStatusText(0, context_.language.text(cleaningText) + " " + folder);
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
        advanceProgress(1);
    });
}

void Deletion::advanceProgress(int n) {
    WindowOperations& window = context_.window;
    int position = window.progressPosition() + n;
    if (position >= window.progressMaximum()) {
        position = 0;
    }
    window.setProgressPosition(position);
}

void Deletion::countDeleted(const std::string& separator) {
    CleanRun& run = context_.run;
    ++run.deletedCount;
    context_.window.setStatusText(1, context_.language.text(deletedText) + separator +
                                         std::to_string(run.deletedCount));
}

} // namespace dustbane
