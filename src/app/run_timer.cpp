#include "app/run_timer.h"

namespace dustbane {

RunCommand RunTimer::fire(bool runActive) {
    if (!runActive) {
        running_ = armed_;
    }
    return running_;
}

} // namespace dustbane
