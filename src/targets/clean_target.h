#pragma once

#include "platform/shell.h"
#include "settings/target_setting.h"
#include "targets/stage_frame.h"
#include "text/text_entries.h"

#include <vector>

namespace dustbane {

// Where a target's folder lies.
enum class FolderBase {
    // The user's temporary folder as the system names it.
    TempFolder,
    // A shell known folder; with no relative path, the folder as resolved.
    KnownFolder,
    // The Windows folder, ending with a backslash.
    WindowsFolder,
    // The root of the Windows folder's drive.
    WindowsDrive,
};

// What goes from a target's folder.
enum class Removal {
    // Everything inside; the folder itself stays unless Delfolder is set.
    WholeContents,
    // Everything inside each folder of the given name below it, at any depth.
    NamedSubfolders,
    // The entries at its top level that match one of the name patterns; the listing lets no
    // messages run and ignores a stop, as it is short.
    NamePatterns,
    // Everything inside each folder of one of the names directly below each profile; those
    // folders stay, whatever Delfolder says, and links among them are passed over.
    NamedFolders,
};

// Which folders below a target folder hold an application's profiles.
enum class Profiles {
    // The folder itself is the one profile.
    None,
    // A Chromium browser's profiles: Default, Profile <n> and Guest Profile.
    Chromium,
    // Every folder below it.
    EveryFolder,
};

// A name that begins with prefix and ends with suffix, of a folder or of a file.
struct NamePattern {
    const char* prefix;
    const char* suffix;
    bool folder;
};

struct TargetFolder {
    FolderBase base;
    // Below the base; "" for the base itself.
    const char* relative = "";
    SpecialFolder knownFolder = SpecialFolder::LocalAppData;
    Removal removal = Removal::WholeContents;
    const char* subfolderName = "";
    std::vector<NamePattern> patterns = {};
    Profiles profiles = Profiles::None;
    // The folders NamedFolders empties in each profile.
    std::vector<const char*> names = {};
    // A required folder that is missing ends the stage before the folders after it.
    bool required = false;
};

// When a target's heading line shows.
enum class Heading {
    // "Clean <caption>" as the stage starts, whatever it finds.
    AtStart,
    // "Clean <caption>" when its first folder is found.
    WhenFound,
    // As WhenFound, and the stage's progress step waits for that folder too.
    StepWhenFound,
    // "Began <title> (<folder>)" before the first folder found, and "Finished ..." after it
    // unless the run was stopped on the way.
    BeganAndFinished,
};

struct CleanTarget;

// A step that no table expresses, in place of the folder list. It runs after the stage's stop
// and setting tests and its progress step.
using SpecialStep = void (*)(Deletion& deletion, const CleanTarget& target);

// One location a clean run empties: the flag that enables it and its check box, how the
// stage meets a stop, its heading, and its folders with what goes from each.
struct CleanTarget {
    TargetSetting setting;
    StageEntry entry;
    Heading heading;
    std::vector<TargetFolder> folders;
    // The title of BeganAndFinished headings.
    Text title = Text::CleanCaption;
    SpecialStep special = nullptr;
    // The image name of the application that owns the folders: while it runs in the user's
    // session the stage is skipped with a line, touching nothing. nullptr for none.
    const char* process = nullptr;
    // Runs only when this program runs elevated; otherwise skipped with a line.
    bool needsElevation = false;
};

using TargetCatalogue = std::vector<CleanTarget>;

} // namespace dustbane
