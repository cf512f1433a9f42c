#pragma once

#include "platform/file_system.h"

#include <map>
#include <set>
#include <string>
#include <vector>

namespace dustbane::testing {

// An in-memory file system that behaves like NTFS where the logic can tell: names keep
// their case but are looked up case-insensitively, folders enumerate "." and ".." first
// and then in name order, read-only files refuse deletion, locked files refuse deletion,
// non-empty folders refuse removal, and links (reparse points) lead to their target when
// a path goes through them.
class FakeFileSystem : public FileSystem {
  public:
    FakeFileSystem();

    // Creates the folder and every missing parent. Drives ("C:") exist from the start.
    void addFolder(const std::string& path);
    // Creates the file (and its parents) with the given contents and attributes.
    void addFile(const std::string& path, const std::string& contents = "x",
                 uint32_t attributes = attributes::archive);
    // A folder link (junction or symbolic link) at path pointing at target.
    void addFolderLink(const std::string& path, const std::string& target);
    // A file that refuses deletion, as a file held open without delete sharing.
    void lock(const std::string& path);
    // The item's creation and last-write times; items made without this are from 1601.
    void setTimes(const std::string& path, FileTime created, FileTime written);

    bool exists(const std::string& path) const;
    std::string contentsOf(const std::string& path) const;
    // Every path below the folder (excluded), in order, with its stored case.
    std::vector<std::string> treeBelow(const std::string& folder) const;
    // Paths that were enumerated through list(), in call order.
    const std::vector<std::string>& listedFolders() const { return listed_; }
    // Fails every later replaceFile with this reason.
    void failWrites(const std::string& reason) { writeFailure_ = reason; }

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
    std::optional<std::string> finalPath(const std::string& path) const override;
    std::optional<std::string> readFile(const std::string& path) const override;
    std::string replaceFile(const std::string& path, const std::string& bytes) override;
    std::string currentDirectory() const override { return currentDirectory_; }

    void setCurrentDirectory(const std::string& path) { currentDirectory_ = path; }

    struct Node {
        std::string path; // as created, without trailing backslash
        uint32_t attributes = 0;
        std::string contents;
        bool locked = false;
        std::string linkTarget;
        FileTime created = 0;
        FileTime written = 0;
    };

    // Removes the node and everything stored below it, without following links.
    void eraseTree(const std::string& path);
    // The node a path resolves to, following links on the way (not the last component).
    const Node* find(const std::string& path) const;
    Node* find(const std::string& path);
    // The node as a listing of its folder shows it.
    static DirectoryEntry entryFor(const Node& node);
    // Direct children of a resolved folder, in enumeration order.
    std::vector<const Node*> childrenOf(const std::string& resolvedFolder) const;
    std::string resolve(const std::string& path) const;

  private:
    static std::string key(const std::string& path);
    std::map<std::string, Node> nodes_;
    std::vector<std::string> listed_;
    std::string currentDirectory_ = "C:\\";
    std::string writeFailure_;
};

} // namespace dustbane::testing
