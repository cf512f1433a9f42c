#include "platform/run_model.h"

namespace dustbane {

void RunModel::changed() {
    if (observer_) {
        observer_->modelChanged();
    }
}

void RunModel::clearLines() {
    lines_.clear();
    ++linesRevision_;
    changed();
}

void RunModel::replaceLines(std::vector<ListLine> lines) {
    lines_ = std::move(lines);
    ++linesRevision_;
    changed();
}

void RunModel::addLine(std::string caption, LineImage image) {
    lines_.push_back({std::move(caption), image});
    if (observer_) {
        observer_->lineAdded(lines_.back());
    }
    changed();
}

void RunModel::setLineCaption(size_t index, std::string caption) {
    lines_.at(index).caption = std::move(caption);
    ++linesRevision_;
    changed();
}

void RunModel::removeLine(size_t index) {
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(index));
    ++linesRevision_;
    changed();
}

template <typename Value> void RunModel::update(Value& field, Value value) {
    if (!(field == value)) {
        field = std::move(value);
        changed();
    }
}

void RunModel::setHeader(std::string text) {
    update(header_, std::move(text));
}

void RunModel::setListMenuEnabled(bool enabled) {
    update(listMenuEnabled_, enabled);
}

void RunModel::setStatusText(int panel, std::string text) {
    update(status_.at(size_t(panel)), std::move(text));
}

void RunModel::setActive(bool active) {
    update(active_, active);
}

void RunModel::setProgressPosition(int position) {
    update(progressPosition_, position);
}

void RunModel::setCleanFace(CleanFace face) {
    update(face_, std::move(face));
}

void RunModel::setAnalyzeFace(CleanFace face) {
    update(analyzeFace_, std::move(face));
}

} // namespace dustbane
