#pragma once

#include <string>

namespace dustbane::testing {

// A folder of its own under the temporary folder, removed with everything in it at the end.
// The helpers use the wide API directly (with the "\\?\" prefix), independent of the
// adapters they help to test.
class ScratchFolder {
  public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // The folder, UTF-8, without a trailing backslash.
    const std::string& path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

  private:
    std::string path_;
};

void makeFolder(const std::string& path);
void writeBytes(const std::string& path, const std::string& bytes);
bool exists(const std::string& path);
void removeTree(const std::string& path);

} // namespace dustbane::testing
