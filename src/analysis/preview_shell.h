#pragma once

#include "analysis/forwarding_ports.h"
#include "analysis/preview_file_system.h"

namespace dustbane {

// The shell of a preview: a move to the Recycle Bin is decided as the shell would decide it
// and recorded on the preview's file system instead of done; the Recycle Bins are never
// emptied.
class PreviewShell : public ForwardingShell {
  public:
    PreviewShell(Shell& real, PreviewFileSystem& files) : ForwardingShell(real), files_(files) {}

    int recycleItem(const std::string& path) override;
    bool emptyRecycleBins() override { return false; }

  private:
    // Whether anything below the folder is held open by another program.
    bool treeHeld(const std::string& folder);

    PreviewFileSystem& files_;
};

} // namespace dustbane
