#include "engine/specific_items.h"

#include "paths/canonical_path.h"

#include <optional>

namespace dustbane {

namespace {

void addItemLine(Deletion& deletion, Text entry, const std::string& path, LineImage image) {
    RunContext& context = deletion.context();
    deletion.addResultLine(context.platform.system.longTimeNow() + " " +
                               context.language.text(entry) + " " + path,
                           image);
}

// The checked entries of a list in canonical form, by index with a copy of each text, since
// the options dialog may edit the list while a stage pumps messages. An entry the
// administrator forbids gets a line instead.
template <typename Visit>
void forEachChecked(Deletion& deletion, const CheckedPathList& list, Visit visit) {
    for (size_t i = 0; i < list.size(); ++i) {
        if (!list[i].checked) {
            continue;
        }
        const std::string path = canonicalPath(list[i].text).value_or(list[i].text);
        if (forbiddenRoot(deletion.context(), path)) {
            deletion.refuseForbidden(path);
        } else {
            visit(path);
        }
    }
}

} // namespace

void cleanSpecificFolders(Deletion& deletion) {
    RunContext& context = deletion.context();
    forEachChecked(deletion, context.settings.FolderList, [&](const std::string& folder) {
        if (!context.platform.files.directoryExists(folder)) {
            return;
        }
        addItemLine(deletion, Text::SuccessfullyCleaned, folder, LineImage::Note);
        context.run.ledger.setSection("");
        context.run.ledger.setGroup(folder, 0, LineImage::FolderRemoved);
        context.run.rootFolder = context.settings.Delfolder ? std::string() : folder;
        if (deletion.cleanFolder(folder)) {
            addItemLine(deletion, Text::CleanCaption, folder, LineImage::Note);
        } else {
            addItemLine(deletion, Text::NotCleanedAllFilesOf, folder, LineImage::Warning);
        }
    });
}

void cleanSpecificFiles(Deletion& deletion) {
    RunContext& context = deletion.context();
    context.run.ledger.setSection("");
    context.run.ledger.setGroup(context.language.text(Text::DeleteFiles), 0,
                                LineImage::FileRemoved);
    forEachChecked(deletion, context.settings.FileList, [&](const std::string& file) {
        const std::optional<DirectoryEntry> found = context.platform.files.entryOf(file);
        // A file the age limit keeps is passed over without a line, as a missing one is.
        if (!found || found->isDirectory() || deletion.keptByAge(*found)) {
            return;
        }
        if (deletion.deleteItem(file, *found)) {
            addItemLine(deletion, Text::SuccessfullyCleaned, file, LineImage::Note);
        } else {
            addItemLine(deletion, Text::NotCleaned, file, LineImage::FileRemoved);
        }
    });
}

} // namespace dustbane
