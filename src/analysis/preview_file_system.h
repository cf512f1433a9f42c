#pragma once

#include "analysis/forwarding_ports.h"

#include <set>
#include <string>

namespace dustbane {

// A file system on which deletions only happen on paper. Each delete or removal is decided
// as the real call would decide it (present, not read-only unless reset, not held open by
// another program, a folder empty), then recorded instead of done; what was "deleted" then
// stays out of sight of existence tests and listings, so the rest of the run sees the state
// the real run would leave. Attribute resets are remembered, not made. Nothing is written.
// The attributes of the entry a listing handed out last are kept, since the run decides about
// that entry next: its delete then costs one call, the probe of its sharing, as on disk.
class PreviewFileSystem : public ForwardingFileSystem {
  public:
    // Whether each item is opened to see if another program holds it. That open costs as much
    // as the deletion it stands for, so a quick analysis leaves it out: a held file then
    // counts as going, and stays when the clean meets it.
    enum class HeldFiles { Probed, Assumed };

    explicit PreviewFileSystem(FileSystem& real, HeldFiles heldFiles = HeldFiles::Probed);

    std::unique_ptr<DirectoryListing> list(const std::string& folder) override;
    bool directoryExists(const std::string& path) const override;
    bool fileExists(const std::string& path) const override;
    std::optional<uint32_t> attributesOf(const std::string& path) const override;
    std::optional<DirectoryEntry> entryOf(const std::string& path) const override;
    bool setNormalAttributes(const std::string& path) override;
    bool deleteFile(const std::string& path) override;
    bool removeDirectory(const std::string& path) override;
    bool createDirectory(const std::string& path) override;
    bool canDelete(const std::string& path) const override;
    std::optional<std::string> readFile(const std::string& path) const override;
    std::string replaceFile(const std::string& path, const std::string& bytes) override;

    // Whether the path, or a folder above it, was deleted on paper.
    bool gone(const std::string& path) const;
    // Brings back everything deleted on paper, for a run over the disk as it is now.
    void forgetPaperDeletions();
    // Records the path as deleted on paper: from now on it and everything below it are gone.
    void markGone(const std::string& path);
    // Whether the path itself, without its parents, was deleted on paper.
    bool goneItself(const std::string& path) const;
    // A listing handed out the entry at path with these attributes.
    void noteListed(const std::string& path, uint32_t attributes);
    // The attributes as a delete, reset or move finds them: those of the entry just listed
    // when the path is that entry's, else asked for.
    std::optional<uint32_t> attributesNow(const std::string& path) const;
    bool probesHeldFiles() const { return heldFiles_ == HeldFiles::Probed; }

  private:
    struct ListedEntry {
        std::string path;
        uint32_t attributes = 0;
    };

    bool hasContents(const std::string& folder);
    // The stored attributes as the resets made on paper would have left them.
    uint32_t attributesAfterResets(const std::string& path, uint32_t attributes) const;

    HeldFiles heldFiles_;
    // Keys compare with views, so that testing a path's folders allocates nothing.
    std::set<std::string, std::less<>> gone_;
    std::set<std::string> normalized_;
    std::optional<ListedEntry> listed_;
};

} // namespace dustbane
