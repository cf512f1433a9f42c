#pragma once

#include <string>

namespace dustbane {

namespace answer {
inline constexpr int yes = 6;
inline constexpr int no = 7;
} // namespace answer

namespace style {
inline constexpr unsigned question = 0x2024;          // MB_YESNO | MB_ICONQUESTION | MB_TASKMODAL
inline constexpr unsigned questionNoDefault = 0x2124; // the same with No as default button
} // namespace style

// Message boxes without an owner window.
class Prompter {
  public:
    virtual ~Prompter() = default;

    // A question; returns the box's answer (answer::yes, answer::no).
    virtual int ask(const std::string& text, const std::string& caption, unsigned style) = 0;
    // An information box with one OK button.
    virtual void inform(const std::string& text, const std::string& caption) = 0;
    // A failure the user must know of, in plain words.
    virtual void reportError(const std::string& text) = 0;
};

} // namespace dustbane
