#pragma once

#include "fakes/fake_file_system.h"
#include "platform/shell.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace dustbane::testing {

// What Windows makes of a plain path: "." and ".." resolved, a single trailing dot dropped
// from each name and every trailing dot and space from the last one (unless a separator
// ends the path). nullopt for a device name, which is no file at all.
std::optional<std::string> plainPathMeaning(const std::string& path);

// The shell over a FakeFileSystem. Its move to the Recycle Bin behaves like the real one in
// the ways that matter to a cleaner: it takes plain paths and reads them as Windows does
// ("." and ".." resolved, a trailing dot or space trimmed, letter case ignored), so a name
// that only the verbatim form reaches leads it to another item; a device name or a path over
// MAX_PATH fails; a tree holding a locked file fails whole with 32, a missing item gives 2.
// A recycled item moves whole.
class FakeShell : public Shell {
  public:
    explicit FakeShell(FakeFileSystem& files) : files_(files) {}

    int recycleItem(const std::string& path) override;
    bool emptyRecycleBins() override;
    std::optional<uint64_t> recycleBinBytes() const override { return binBytes; }
    std::string specialFolder(SpecialFolder folder) const override;
    std::string tempPath() const override { return tempPath_; }
    std::string windowsDirectory() const override { return windowsDirectory_; }
    void openDocument(const std::string& path) override { opened.push_back(path); }
    void runMaximized(const std::string& commandLine) override { commands.push_back(commandLine); }
    std::string browseForFolder(const std::string& title) override;
    std::vector<std::string> pickFiles() override;

    std::vector<std::string> recycled;     // the items moved to the Recycle Bin
    std::vector<std::string> recycleCalls; // every recycleItem path, as handed over
    std::vector<std::string> opened;
    std::vector<std::string> commands;
    std::vector<std::string> browseTitles;
    std::vector<std::string> folderAnswers; // next answers of the folder browser
    std::vector<std::vector<std::string>> fileAnswers;
    bool emptyResult = true;
    // What the bins hold; nullopt plays a shell that cannot tell.
    std::optional<uint64_t> binBytes = 0;
    // As Windows does when a folder cannot be renamed into the bin: it moves what it can
    // item by item and fails on a held file.
    bool movesAroundHeldFiles = false;
    int emptyCalls = 0;

    std::string tempPath_ = "C:\\users\\tester\\Temp\\";
    std::string windowsDirectory_ = "C:\\windows";
    // Program Files is left out, as if it could not be resolved, so the log stays in any
    // installation folder unless a test names Program Files here.
    std::map<SpecialFolder, std::string> specialFolders{
        {SpecialFolder::InternetCache,
         "C:\\users\\tester\\AppData\\Local\\Microsoft\\Windows\\INetCache"},
        {SpecialFolder::LocalAppData, "C:\\users\\tester\\AppData\\Local"},
        {SpecialFolder::LocalAppDataLow, "C:\\users\\tester\\AppData\\LocalLow"},
        {SpecialFolder::RoamingAppData, "C:\\users\\tester\\AppData\\Roaming"},
        {SpecialFolder::System, "C:\\windows\\system32"},
        {SpecialFolder::ProgramData, "C:\\ProgramData"},
        {SpecialFolder::UserProfiles, "C:\\users"},
        {SpecialFolder::Profile, "C:\\users\\tester"},
        {SpecialFolder::Desktop, "C:\\users\\tester\\Desktop"},
        {SpecialFolder::Documents, "C:\\users\\tester\\Documents"},
        {SpecialFolder::Downloads, "C:\\users\\tester\\Downloads"},
        {SpecialFolder::Pictures, "C:\\users\\tester\\Pictures"},
        {SpecialFolder::Music, "C:\\users\\tester\\Music"},
        {SpecialFolder::Videos, "C:\\users\\tester\\Videos"},
    };

  private:
    bool treeHasLocked(const std::string& path) const;
    FakeFileSystem& files_;
};

} // namespace dustbane::testing
