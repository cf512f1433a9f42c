#pragma once

#include "fakes/fake_file_system.h"
#include "platform/shell.h"

#include <map>
#include <string>
#include <vector>

namespace dustbane::testing {

// The shell over a FakeFileSystem. Its delete behaves like the real one in the ways that
// matter to a cleaner: a permanent delete of a folder recurses through links into their
// targets (as Wine's does), a tree holding a locked file fails whole with 32, a read-only
// file fails with 5 when not recycled, a missing item gives 2. A recycled item moves whole.
class FakeShell : public Shell {
  public:
    explicit FakeShell(FakeFileSystem& files) : files_(files) {}

    int deleteItem(const std::string& path, bool toRecycleBin) override;
    bool emptyRecycleBins() override;
    std::string specialFolder(SpecialFolder folder) const override;
    std::string tempPath() const override { return tempPath_; }
    std::string windowsDirectory() const override { return windowsDirectory_; }
    void openDocument(const std::string& path) override { opened.push_back(path); }
    void runMaximized(const std::string& commandLine) override { commands.push_back(commandLine); }
    std::string browseForFolder(const std::string& title) override;
    std::vector<std::string> pickFiles() override;

    std::vector<std::string> recycled;        // paths moved to the Recycle Bin
    std::vector<std::string> deleteCalls;     // every deleteItem path, in order
    std::vector<std::string> opened;
    std::vector<std::string> commands;
    std::vector<std::string> browseTitles;
    std::vector<std::string> folderAnswers;   // next answers of the folder browser
    std::vector<std::vector<std::string>> fileAnswers;
    bool emptyResult = true;
    int emptyCalls = 0;

    std::string tempPath_ = "C:\\users\\tester\\Temp\\";
    std::string windowsDirectory_ = "C:\\windows";
    // Program Files is left out, as if it could not be resolved, so the log stays in any
    // installation folder unless a test names Program Files here.
    std::map<SpecialFolder, std::string> specialFolders{
        {SpecialFolder::InternetCache, "C:\\users\\tester\\AppData\\Local\\Microsoft\\Windows\\INetCache"},
        {SpecialFolder::LocalAppData, "C:\\users\\tester\\AppData\\Local"},
        {SpecialFolder::RoamingAppData, "C:\\users\\tester\\AppData\\Roaming"},
    };

  private:
    bool treeHasLocked(const std::string& path) const;
    void deleteFollowingLinks(const std::string& path);
    FakeFileSystem& files_;
};

} // namespace dustbane::testing
