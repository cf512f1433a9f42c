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

void RunModel::setHeader(std::string text) {
    if (header_ != text) {
        header_ = std::move(text);
        changed();
    }
}

void RunModel::setListMenuEnabled(bool enabled) {
    if (listMenuEnabled_ != enabled) {
        listMenuEnabled_ = enabled;
        changed();
    }
}

void RunModel::setStatusText(int panel, std::string text) {
    std::string& shown = status_.at(size_t(panel));
    if (shown != text) {
        shown = std::move(text);
        changed();
    }
}

void RunModel::setActive(bool active) {
    if (active_ != active) {
        active_ = active;
        changed();
    }
}

void RunModel::setProgressPosition(int position) {
    if (progressPosition_ != position) {
        progressPosition_ = position;
        changed();
    }
}

void RunModel::setCleanFace(CleanFace face) {
    if (!(face_ == face)) {
        face_ = std::move(face);
        changed();
    }
}

} // namespace dustbane
