#pragma once

#include "platform/prompter.h"

#include <string>
#include <vector>

namespace dustbane {

// The prompter of a run nobody watches: no box ever shows. A question is answered No, the
// safe answer to every question the program asks; reports are kept for printing.
class UnattendedPrompter : public Prompter {
  public:
    int ask(const std::string&, const std::string&, unsigned) override { return answer::no; }
    void inform(const std::string& text, const std::string&) override { reports.push_back(text); }
    void reportError(const std::string& text) override {
        reports.push_back(text);
        ++errors;
    }

    std::vector<std::string> reports;
    int errors = 0;
};

} // namespace dustbane
