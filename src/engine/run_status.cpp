#include "engine/run_status.h"

namespace dustbane {

void showActivity(RunContext& context, Text word, const std::string& subject) {
    context.model.setStatusText(0, context.language.text(word) + " " + subject);
}

void advanceProgress(RunModel& model, int n) {
    const int position = model.progressPosition() + n;
    model.setProgressPosition(position >= RunModel::progressMaximum ? 0 : position);
}

void countDeleted(RunContext& context, const std::string& separator) {
    RunModel& model = context.model;
    model.setDeletedCount(model.deletedCount() + 1);
    model.setStatusText(1, context.language.text(Text::Deleted) + separator +
                               std::to_string(model.deletedCount()));
}

} // namespace dustbane
