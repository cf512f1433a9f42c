#include "engine/specific_items.h"

#include "paths/canonical_path.h"

namespace dustbane {

namespace {

// Language-table entries.
constexpr int cleanText = 1;
constexpr int successText = 51;
constexpr int notAllText = 52;
constexpr int notCleanText = 53;

void addItemLine(Deletion& deletion, int entry, const std::string& path, LineImage image) {
    RunContext& context = deletion.context();
    deletion.addResultLine(context.platform.system.longTimeNow() + " " +
                               context.language.text(entry) + " " + path,
                           image);
}

// The checked entries of a list in canonical form, by index with a copy of each text, since
// the options dialog may edit the list while a stage pumps messages.
template <typename Visit> void forEachChecked(const CheckedPathList& list, Visit visit) {
    for (size_t i = 0; i < list.size(); ++i) {
        if (list[i].checked) {
            visit(canonicalPath(list[i].text).value_or(list[i].text));
        }
    }
}

} // namespace

void cleanSpecificFolders(Deletion& deletion) {
    RunContext& context = deletion.context();
    forEachChecked(context.settings.FolderList, [&](const std::string& folder) {
        if (!context.platform.files.directoryExists(folder)) {
            return;
        }
        addItemLine(deletion, successText, folder, LineImage::Note);
        context.run.rootFolder = context.settings.Delfolder ? std::string() : folder;
        if (deletion.cleanFolder(folder)) {
            addItemLine(deletion, cleanText, folder, LineImage::Note);
        } else {
            addItemLine(deletion, notAllText, folder, LineImage::Warning);
        }
    });
}

void cleanSpecificFiles(Deletion& deletion) {
    RunContext& context = deletion.context();
    forEachChecked(context.settings.FileList, [&](const std::string& file) {
        if (!context.platform.files.fileExists(file)) {
            return;
        }
        if (deletion.deleteItem(file)) {
            addItemLine(deletion, successText, file, LineImage::Note);
        } else {
            addItemLine(deletion, notCleanText, file, LineImage::FileRemoved);
        }
    });
}

} // namespace dustbane
