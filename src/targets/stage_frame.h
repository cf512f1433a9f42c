#pragma once

#include "engine/deletion.h"
#include "platform/shell.h"
#include "settings/clean_settings.h"

#include <string>

namespace dustbane {

// What a stage does about a stop before its setting test.
enum class StageEntry {
    // Runs straight after the run's start-up, where the stop flag has just been cleared.
    First,
    // Lets pending window messages run, so that a Stop click lands, then honours the flag.
    AfterPump,
    // Honours a stop already requested, without a message pass of its own.
    WithoutPump,
};

// The stop and setting tests of a stage: false when the stage is to be skipped.
bool stageWanted(Deletion& deletion, StageEntry entry, const FlagSetting& flag);

// The progress step every enabled stage takes once as it starts its work.
void stepStageProgress(Deletion& deletion);

// The heading line naming the stage by its flag's caption: "<time> Clean <caption>".
void addCaptionLine(Deletion& deletion, const FlagSetting& flag);

// A folder the system named, in canonical form; "" when it names none for certain.
std::string canonicalOrEmpty(const std::string& path);

// A shell special folder without a trailing backslash, or "" when it cannot be resolved.
std::string resolveSpecialFolder(Deletion& deletion, SpecialFolder folder);

// relative below a special folder, or "" when the special folder cannot be resolved.
std::string underSpecialFolder(Deletion& deletion, SpecialFolder folder,
                               const std::string& relative);

// Makes folder the run's rootFolder, so that cleaning it keeps the folder itself unless
// Delfolder is set. True when folder is an existing folder.
bool enterRootFolder(Deletion& deletion, const std::string& folder);

} // namespace dustbane
