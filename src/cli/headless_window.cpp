#include "cli/headless_window.h"

#include "app/window_metrics.h"

namespace dustbane {

int HeadlessWindow::progressMaximum() const {
    return metrics::progressMaximum;
}

void HeadlessWindow::addLine(const std::string& caption, LineImage image) {
    captions_.push_back(caption);
    record_.addLine(caption, image);
}

void HeadlessWindow::setLineCaption(int index, const std::string& caption) {
    captions_.at(index) = caption;
}

void HeadlessWindow::removeLine(int index) {
    captions_.erase(captions_.begin() + index);
}

} // namespace dustbane
