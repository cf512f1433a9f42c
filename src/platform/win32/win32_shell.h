#pragma once

#include "platform/shell.h"

#include <windows.h>

namespace dustbane::win32 {

class Win32Shell : public Shell {
  public:
    // The window that owns the shell's delete and empty operations; the main window sets it
    // once it exists. Null until then, which the shell accepts.
    void setOwnerWindow(HWND owner) { owner_ = owner; }

    int recycleItem(const std::string& path) override;
    bool emptyRecycleBins() override;
    std::optional<uint64_t> recycleBinBytes() const override;

    std::string specialFolder(SpecialFolder folder) const override;
    std::string tempPath() const override;
    std::string windowsDirectory() const override;

    void openDocument(const std::string& path) override;
    void runMaximized(const std::string& commandLine) override;

    std::string browseForFolder(const std::string& title) override;
    std::vector<std::string> pickFiles() override;

  private:
    HWND owner_ = nullptr;
};

} // namespace dustbane::win32
