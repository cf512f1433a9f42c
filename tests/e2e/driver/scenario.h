#pragma once

#include "driver/files.h"
#include "driver/registry.h"

#include <gtest/gtest.h>
#include <string>

namespace dustbane::e2e {

// Base of every scenario: starts from an absent settings key, whatever ran before in the
// prefix, and gives the test a scratch folder named after it.
class Scenario : public ::testing::Test {
  protected:
    void SetUp() override { settings.deleteTree(); }

    // C:\scratch\<suite>.<test>\, new and empty on first use in a test.
    const std::string& scratch() {
        if (scratch_.empty()) {
            const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
            scratch_ = scratchDir(std::string(test->test_suite_name()) + "." + test->name());
        }
        return scratch_;
    }

    // Stores the ten Windows and application stages as off, so that a run touches only what
    // the test made.
    void turnOffFixedLocations() const {
        for (const char* stage : {"Tempfolder", "Interfolder", "Errorreport", "Thumbs", "Firefox",
                                  "Hotfix", "WDIfile", "Acdsee", "GoogleEarth", "Acrobatreader"}) {
            settings.writeInt(stage, 0);
        }
    }

    RegKey settings = RegKey::settings();

  private:
    std::string scratch_;
};

} // namespace dustbane::e2e
