#pragma once

#include "platform/system.h"

namespace dustbane {

// The system without sound and without touching the mouse pointer, for a preview.
class QuietSystem : public System {
  public:
    explicit QuietSystem(System& inner) : inner_(inner) {}

    uint16_t systemDefaultLanguageId() const override { return inner_.systemDefaultLanguageId(); }
    std::string fromAnsi(const std::string& bytes) const override { return inner_.fromAnsi(bytes); }
    std::string toAnsi(const std::string& text) const override { return inner_.toAnsi(text); }
    int compareStrings(const std::string& a, const std::string& b) const override {
        return inner_.compareStrings(a, b);
    }
    std::string longTimeNow() const override { return inner_.longTimeNow(); }
    std::string shortDateToday() const override { return inner_.shortDateToday(); }
    std::optional<int64_t> parseShortDate(const std::string& text) const override {
        return inner_.parseShortDate(text);
    }
    int64_t todayDayNumber() const override { return inner_.todayDayNumber(); }
    NumberFormat numberFormat() const override { return inner_.numberFormat(); }
    FileTime fileTimeNow() const override { return inner_.fileTimeNow(); }
    void playEndSound() override {}
    void setBusyCursor(bool) override {}
    void moveCursorBy(int, int) override {}
    bool processRuns(const std::string& imageName) const override {
        return inner_.processRuns(imageName);
    }
    bool runsElevated() const override { return inner_.runsElevated(); }
    std::string computerName() const override { return inner_.computerName(); }
    std::string userName() const override { return inner_.userName(); }

  private:
    System& inner_;
};

} // namespace dustbane
