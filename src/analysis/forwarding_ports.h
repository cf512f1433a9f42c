#pragma once

#include "platform/file_system.h"
#include "platform/shell.h"

namespace dustbane {

// A file system that passes every call on; decorators override what they change.
class ForwardingFileSystem : public FileSystem {
  public:
    explicit ForwardingFileSystem(FileSystem& inner) : inner_(inner) {}

    std::unique_ptr<DirectoryListing> list(const std::string& folder) override {
        return inner_.list(folder);
    }
    bool directoryExists(const std::string& path) const override {
        return inner_.directoryExists(path);
    }
    bool fileExists(const std::string& path) const override { return inner_.fileExists(path); }
    std::optional<uint32_t> attributesOf(const std::string& path) const override {
        return inner_.attributesOf(path);
    }
    std::optional<DirectoryEntry> entryOf(const std::string& path) const override {
        return inner_.entryOf(path);
    }
    bool setNormalAttributes(const std::string& path) override {
        return inner_.setNormalAttributes(path);
    }
    bool deleteFile(const std::string& path) override { return inner_.deleteFile(path); }
    bool removeDirectory(const std::string& path) override { return inner_.removeDirectory(path); }
    bool createDirectory(const std::string& path) override { return inner_.createDirectory(path); }
    bool canDelete(const std::string& path) const override { return inner_.canDelete(path); }
    std::optional<std::string> finalPath(const std::string& path) const override {
        return inner_.finalPath(path);
    }
    std::optional<std::string> readFile(const std::string& path) const override {
        return inner_.readFile(path);
    }
    std::string replaceFile(const std::string& path, const std::string& bytes) override {
        return inner_.replaceFile(path, bytes);
    }
    std::string currentDirectory() const override { return inner_.currentDirectory(); }

  protected:
    FileSystem& inner() const { return inner_; }

  private:
    FileSystem& inner_;
};

// A shell that passes every call on; decorators override what they change.
class ForwardingShell : public Shell {
  public:
    explicit ForwardingShell(Shell& inner) : inner_(inner) {}

    int recycleItem(const std::string& path) override { return inner_.recycleItem(path); }
    bool emptyRecycleBins() override { return inner_.emptyRecycleBins(); }
    std::optional<uint64_t> recycleBinBytes() const override { return inner_.recycleBinBytes(); }
    std::string specialFolder(SpecialFolder folder) const override {
        return inner_.specialFolder(folder);
    }
    std::string tempPath() const override { return inner_.tempPath(); }
    std::string windowsDirectory() const override { return inner_.windowsDirectory(); }
    void openDocument(const std::string& path) override { inner_.openDocument(path); }
    void runMaximized(const std::string& commandLine) override { inner_.runMaximized(commandLine); }
    std::string browseForFolder(const std::string& title) override {
        return inner_.browseForFolder(title);
    }
    std::vector<std::string> pickFiles() override { return inner_.pickFiles(); }

  private:
    Shell& inner_;
};

} // namespace dustbane
