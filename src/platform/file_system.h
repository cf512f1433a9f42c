#pragma once

#include "platform/file_time.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace dustbane {

namespace attributes {
inline constexpr uint32_t readOnly = 0x1;
inline constexpr uint32_t hidden = 0x2;
inline constexpr uint32_t system = 0x4;
inline constexpr uint32_t directory = 0x10;
inline constexpr uint32_t archive = 0x20;
inline constexpr uint32_t normal = 0x80;
inline constexpr uint32_t reparsePoint = 0x400;
} // namespace attributes

struct DirectoryEntry {
    std::string name;
    uint32_t attributes = 0;
    uint64_t size = 0;
    FileTime created = 0;
    FileTime written = 0;

    bool isDirectory() const { return (attributes & attributes::directory) != 0; }
    // Symbolic links, junctions and mount points: never followed by a walk.
    bool isLink() const { return (attributes & attributes::reparsePoint) != 0; }
};

// A streaming enumeration of one folder, "." and ".." included as the system gives them.
class DirectoryListing {
  public:
    virtual ~DirectoryListing() = default;
    virtual bool next(DirectoryEntry& entry) = 0;
};

// Paths are Windows paths (UTF-8, backslashes, drive letters).
class FileSystem {
  public:
    virtual ~FileSystem() = default;

    // Enumerates folder + "\*.*"; nullptr when the enumeration cannot start.
    virtual std::unique_ptr<DirectoryListing> list(const std::string& folder) = 0;

    virtual bool directoryExists(const std::string& path) const = 0;
    virtual bool fileExists(const std::string& path) const = 0;
    virtual std::optional<uint32_t> attributesOf(const std::string& path) const = 0;
    // The item as its folder's listing gives it (name empty), from one attribute query;
    // nullopt when it is absent.
    virtual std::optional<DirectoryEntry> entryOf(const std::string& path) const = 0;

    virtual bool setNormalAttributes(const std::string& path) = 0;
    virtual bool deleteFile(const std::string& path) = 0;
    virtual bool removeDirectory(const std::string& path) = 0;
    // Creates one folder whose parent exists; false when it cannot, also when it exists.
    virtual bool createDirectory(const std::string& path) = 0;

    // Whether nothing but its attributes stands in the way of deleting the item now: false
    // while another program holds it open without delete sharing, or access is denied. The
    // read-only bit is not considered, since the cleaner resets it before deleting.
    virtual bool canDelete(const std::string& path) const = 0;

    // The path the system reaches the existing item by, through a handle to it: links on the
    // way (and the item itself, when it is one) followed, short names and substituted drives
    // resolved, in plain form (C:\... or \\server\share\...); nullopt when the item cannot be
    // opened.
    virtual std::optional<std::string> finalPath(const std::string& path) const = 0;

    // Whole file contents as bytes; nullopt when it cannot be read.
    virtual std::optional<std::string> readFile(const std::string& path) const = 0;
    // Writes a new file beside the old one and moves it into place, so that a failure
    // never leaves the old file truncated. Returns an empty string on success, else the
    // reason in plain words.
    virtual std::string replaceFile(const std::string& path, const std::string& bytes) = 0;

    // With a trailing backslash.
    virtual std::string currentDirectory() const = 0;
};

} // namespace dustbane
