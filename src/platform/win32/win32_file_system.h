#pragma once

#include "platform/file_system.h"

namespace dustbane::win32 {

// The file system through the wide file API; every path goes through apiPath, so lengths
// beyond 260 characters work.
class Win32FileSystem : public FileSystem {
  public:
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

    std::string currentDirectory() const override;
};

} // namespace dustbane::win32
