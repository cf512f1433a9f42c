#pragma once

#include "analysis/forwarding_ports.h"
#include "analysis/run_record.h"

namespace dustbane {

// The real file system, with every delete and removal recorded: the item and its size as
// they were just before, or a failure.
class MeasuringFileSystem : public ForwardingFileSystem {
  public:
    MeasuringFileSystem(FileSystem& real, RunRecord& record)
        : ForwardingFileSystem(real), record_(record) {}

    bool deleteFile(const std::string& path) override;
    bool removeDirectory(const std::string& path) override;

  private:
    RunRecord& record_;
};

// The real shell, with every move to the Recycle Bin recorded: the item and its size (a
// folder's summed), or a failure together with what a folder move did move before it failed.
class MeasuringShell : public ForwardingShell {
  public:
    MeasuringShell(Shell& real, FileSystem& files, RunRecord& record)
        : ForwardingShell(real), files_(files), record_(record) {}

    int recycleItem(const std::string& path) override;

  private:
    FileSystem& files_;
    RunRecord& record_;
};

} // namespace dustbane
