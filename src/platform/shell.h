#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace dustbane {

enum class SpecialFolder {
    InternetCache,
    LocalAppData,
    // Where programs of low integrity write (AppData\LocalLow).
    LocalAppDataLow,
    RoamingAppData,
    ProgramFiles,
    // The 32-bit programs' folder of a 64-bit system; the same as ProgramFiles elsewhere.
    ProgramFilesX86,
    System,
    ProgramData,
    // The folder that holds every user's profile (C:\Users).
    UserProfiles,
    Profile,
    Desktop,
    Documents,
    Downloads,
    Pictures,
    Music,
    Videos,
    OneDrive,
};

class Shell {
  public:
    virtual ~Shell() = default;

    // Moves one file or one whole folder to the Recycle Bin, silent and without questions;
    // on a drive without one the shell deletes it. The shell takes plain paths, so the caller
    // hands it only paths that name their item exactly. Returns the shell's result code: 0 is
    // success. Permanent deletion never goes through the shell: the file system does it.
    virtual int recycleItem(const std::string& path) = 0;
    // Empties the Recycle Bins of all drives without asking; true on S_OK.
    virtual bool emptyRecycleBins() = 0;
    // What the Recycle Bins of all drives hold now, in bytes; nullopt when the shell cannot
    // tell.
    virtual std::optional<uint64_t> recycleBinBytes() const = 0;

    // The folder's path without a trailing backslash, or "" when it cannot be resolved.
    virtual std::string specialFolder(SpecialFolder folder) const = 0;
    // GetTempPath (normally with a trailing backslash), or "" when the call fails.
    virtual std::string tempPath() const = 0;
    // GetWindowsDirectory as returned.
    virtual std::string windowsDirectory() const = 0;

    // Opens a document with its registered program; the result is not reported.
    virtual void openDocument(const std::string& path) = 0;
    // Starts a command line (WinExec) with the window shown maximized.
    virtual void runMaximized(const std::string& commandLine) = 0;

    // The folder browser; "" when cancelled.
    virtual std::string browseForFolder(const std::string& title) = 0;
    // The open-file dialog with several files selectable; empty when cancelled.
    virtual std::vector<std::string> pickFiles() = 0;
};

} // namespace dustbane
