#pragma once

#include "engine/run_context.h"

#include <string>

namespace dustbane {

// The deletion primitives every stage deletes through, and the result lines.
class Deletion {
  public:
    explicit Deletion(RunContext& context);

    // Deletes one file or one whole folder through the shell: to the Recycle Bin only when
    // the run allows it and Recycle is set. Counts and shows the deleted item.
    bool deleteItem(const std::string& path);
    void addResultLine(const std::string& text, LineImage image);
    // The current time, the word and the subject, as an information line.
    void addStageLine(const std::string& word, const std::string& subject);
    // Deletes everything inside path, then path itself unless it is the run's rootFolder
    // (and Delfolder is clear). Refuses drive roots.
    bool cleanFolder(const std::string& path);
    // Cleans every folder named dirName below folder and deletes every file named fileName.
    void cleanNamedSubfolders(const std::string& folder, const std::string& dirName,
                              const std::string& fileName);

    // The progress bar as an activity indicator: advances by n and wraps to 0 at the top.
    void advanceProgress(int n);
    // Counts one deleted item and shows the count in status panel 1 after the given text.
    void countDeleted(const std::string& separator);

    RunContext& context() { return context_; }

  private:
    // deleteItem's shell call, for a path whose tree the shell may see; a path too long for
    // the shell is deleted through the file system instead.
    bool shellDelete(const std::string& path);
    // Visits the entries of dir as every walk here does: pending messages run at each entry,
    // names beginning with a dot are passed over, and a stop ends the walk at the next
    // entry. visit gets the entry and its full path.
    template <typename Visit> void walk(const std::string& dir, Visit visit);

    RunContext& context_;
};

// Appends a backslash unless the path already ends in one.
std::string withBackslash(const std::string& path);

} // namespace dustbane
