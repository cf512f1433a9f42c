#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace dustbane {

enum class SpecialFolder {
    InternetCache,
    LocalAppData,
    RoamingAppData,
    ProgramFiles,
    // The 32-bit programs' folder of a 64-bit system; the same as ProgramFiles elsewhere.
    ProgramFilesX86,
};

// The longest path, in UTF-16 units, that the clean engine hands the shell's delete:
// MAX_PATH less the terminator. The shell's delete is not made for longer ones, and Wine's
// crashes on very long ones; the engine deletes those through the file system.
inline constexpr size_t maxShellPathLength = 259;

class Shell {
  public:
    virtual ~Shell() = default;

    // The shell's delete of one file or one whole folder, silent and without questions.
    // Returns the shell's result code: 0 is success.
    virtual int deleteItem(const std::string& path, bool toRecycleBin) = 0;
    // Empties the Recycle Bins of all drives without asking; true on S_OK.
    virtual bool emptyRecycleBins() = 0;

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
