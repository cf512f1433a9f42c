#pragma once

#include "engine/deletion.h"
#include "fakes/fake_platform.h"
#include "targets/target_catalogue.h"

#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace dustbane::testing {

inline std::ostream& operator<<(std::ostream& out, const RecordingWindow::Line& line) {
    return out << "{\"" << line.caption << "\", " << static_cast<int>(line.image) << "}";
}

// The lines of a run without the bytes-freed line that follows its final line, for tests
// about the lines before it.
inline std::vector<std::string> withoutFreedLine(std::vector<std::string> captions) {
    if (!captions.empty() && captions.back().rfind("Freed ", 0) == 0) {
        captions.pop_back();
    }
    return captions;
}

// Turns every stage of the target catalogue off, the ten Windows and application stages and
// those after them, so that a run touches only what a test made.
inline void turnOffFixedLocations(CleanSettings& settings) {
    for (const CleanTarget& target : targetCatalogue()) {
        setFlagValue(settings, target.setting.flag, false);
    }
}

// A clean run's context over the fakes, with the built-in English texts.
class EngineTest : public ::testing::Test {
  protected:
    // A confirmed Stop click handled inside the given pump (counted from 1).
    void stopAtPump(int pump) {
        fake.window.onPump = [this, pump] {
            if (fake.window.pumps == pump) {
                run.stopRequested = true;
            }
        };
    }

    // A confirmed Stop click handled inside the first pump after status panel 0 shows text.
    void stopWhenShowing(const std::string& text) {
        fake.window.onPump = [this, text] {
            if (fake.window.status[0] == text) {
                run.stopRequested = true;
            }
        };
    }

    FakePlatform fake;
    CleanSettings settings;
    LanguageTable language;
    CleanRun run;
    RunModel& model = fake.window.model;
    RunContext context{fake.platform,
                       settings,
                       language,
                       fake.window,
                       model,
                       run,
                       "C:\\Program Files\\Dustbane\\"};
    Deletion deletion{context};
};

} // namespace dustbane::testing
