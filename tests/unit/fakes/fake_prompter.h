#pragma once

#include "platform/prompter.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace dustbane::testing {

// Answers questions from a script (yes when the script is empty) and records every box.
class FakePrompter : public Prompter {
  public:
    struct Box {
        std::string text;
        std::string caption;
        unsigned style = 0;
    };

    int ask(const std::string& text, const std::string& caption, unsigned boxStyle) override {
        questions.push_back({text, caption, boxStyle});
        if (onAsk) {
            onAsk(questions.back());
        }
        if (answers.empty()) {
            return answer::yes;
        }
        int next = answers.front();
        answers.pop_front();
        return next;
    }
    void inform(const std::string& text, const std::string& caption) override {
        informations.push_back({text, caption, 0});
    }
    void reportError(const std::string& text) override { errors.push_back(text); }

    std::deque<int> answers;
    std::vector<Box> questions;
    std::vector<Box> informations;
    std::vector<std::string> errors;
    std::function<void(const Box&)> onAsk;
};

} // namespace dustbane::testing
