#include "targets/stage_frame.h"

#include "engine/run_status.h"
#include "paths/canonical_path.h"

namespace dustbane {

namespace {

constexpr int stageProgressStep = 10;

} // namespace

bool stageWanted(Deletion& deletion, StageEntry entry, StageSetting setting) {
    RunContext& context = deletion.context();
    if (entry == StageEntry::AfterPump) {
        context.window.pumpMessages();
    }
    if (entry != StageEntry::First && context.run.stopRequested) {
        return false;
    }
    return context.settings.*setting;
}

void stepStageProgress(Deletion& deletion) {
    advanceProgress(deletion.context().model, stageProgressStep);
}

bool beginStage(Deletion& deletion, StageEntry entry, StageSetting setting) {
    if (!stageWanted(deletion, entry, setting)) {
        return false;
    }
    stepStageProgress(deletion);
    return true;
}

void addCaptionLine(Deletion& deletion, StageSetting setting) {
    deletion.addStageLine(deletion.context().language.text(Text::CleanCaption), captionOf(setting));
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

void cleanIfPresent(Deletion& deletion, const std::string& folder) {
    if (enterRootFolder(deletion, folder)) {
        deletion.cleanFolder(folder);
    }
}

} // namespace dustbane
