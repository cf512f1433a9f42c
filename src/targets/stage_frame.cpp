#include "targets/stage_frame.h"

#include "engine/run_status.h"
#include "paths/canonical_path.h"

namespace dustbane {

namespace {

constexpr int stageProgressStep = 10;

} // namespace

bool stageWanted(Deletion& deletion, StageEntry entry, const FlagSetting& flag) {
    RunContext& context = deletion.context();
    if (entry == StageEntry::AfterPump) {
        context.window.pumpMessages();
    }
    if (entry != StageEntry::First && context.run.stopRequested) {
        return false;
    }
    return flagValue(context.settings, flag);
}

void stepStageProgress(Deletion& deletion) {
    advanceProgress(deletion.context().model, stageProgressStep);
}

void addCaptionLine(Deletion& deletion, const FlagSetting& flag) {
    deletion.addStageLine(deletion.context().language.text(Text::CleanCaption), flag.caption);
}

std::string resolveSpecialFolder(Deletion& deletion, SpecialFolder folder) {
    return canonicalOrEmpty(deletion.context().platform.shell.specialFolder(folder));
}

std::string canonicalOrEmpty(const std::string& path) {
    return canonicalPath(path).value_or(std::string());
}

std::string underSpecialFolder(Deletion& deletion, SpecialFolder folder,
                               const std::string& relative) {
    const std::string base = resolveSpecialFolder(deletion, folder);
    return base.empty() ? std::string() : withBackslash(base) + relative;
}

bool enterRootFolder(Deletion& deletion, const std::string& folder) {
    RunContext& context = deletion.context();
    context.run.rootFolder = folder;
    return context.platform.files.directoryExists(folder);
}

} // namespace dustbane
