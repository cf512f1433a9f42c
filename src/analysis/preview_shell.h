#pragma once

#include "analysis/forwarding_ports.h"
#include "analysis/preview_file_system.h"
#include "analysis/run_record.h"

namespace dustbane {

// The shell of a preview: a move to the Recycle Bin is decided as the shell would decide it
// and recorded on the preview's file system instead of done; the Recycle Bins are never
// emptied.
class PreviewShell : public ForwardingShell {
  public:
    // With a record, each move on paper is entered in it with its size.
    PreviewShell(Shell& real, PreviewFileSystem& files, RunRecord* record = nullptr)
        : ForwardingShell(real), files_(files), record_(record) {}

    int recycleItem(const std::string& path) override;
    bool emptyRecycleBins() override { return false; }

  private:
    // Whether anything below the folder is held open by another program.
    bool treeHeld(const std::string& folder);

    PreviewFileSystem& files_;
    RunRecord* record_;
};

} // namespace dustbane
