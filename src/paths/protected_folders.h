#pragma once

#include "paths/canonical_path.h"
#include "platform/file_system.h"
#include "platform/shell.h"

#include <string>
#include <vector>

namespace dustbane {

// The folders a clean never empties or removes, and the ones a wide scan leaves alone. The
// system's folders are read once, when this is made.
class ProtectedFolders {
  public:
    ProtectedFolders(const Shell& shell, const FileSystem& files);

    // What a folder is to a clean, judged by the canonical text and, where the folder exists,
    // by the path the system reaches it by, so that a short name, a substituted drive or a
    // link that leads to one counts too.
    enum class Standing {
        Ordinary,
        // The root of one of the current user's known folders (Desktop, Documents,
        // Downloads, Pictures, Music, Videos, OneDrive): emptied only when the user says so.
        KnownFolderRoot,
        // A drive or share root, the Windows folder, System32, the Program Files folders,
        // ProgramData itself, the Users folder or a user's profile; also a path that names no
        // item for certain. Never emptied or removed.
        Protected,
    };
    Standing standingOf(const std::string& path) const;
    bool isProtected(const std::string& path) const {
        return standingOf(path) == Standing::Protected;
    }
    // Whether a folder that another program's registry value names may be cleaned: inside
    // the current user's profile or ProgramData, and neither protected nor a known folder's
    // root.
    bool acceptsForeignFolder(const std::string& path) const;
    // A folder whose files are program state, which a scan does not enter when it reaches it
    // from a wider search path: the Windows folder, the Program Files folders, ProgramData,
    // and the AppData folder of every profile.
    bool skippedBySearch(const std::string& path) const;
    // Whether a scan of this search path passes such a folder by.
    bool searchSkipsBelow(const std::string& searchPath) const;

  private:
    bool protectedKey(const PathKey& key) const;
    bool isProfileKey(const PathKey& key) const;
    // The key of the path and, where it exists and differs, of its final path; none when the
    // path names no item for certain.
    std::vector<PathKey> keysOf(const std::string& path) const;

    const FileSystem& files_;
    std::vector<PathKey> fixed_;
    std::vector<PathKey> knownRoots_;
    std::vector<PathKey> programState_;
    PathKey users_;
    PathKey profile_;
    PathKey programData_;
};

} // namespace dustbane
