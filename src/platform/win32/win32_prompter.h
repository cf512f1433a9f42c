#pragma once

#include "platform/prompter.h"

namespace dustbane::win32 {

// Message boxes without an owner window.
class Win32Prompter : public Prompter {
  public:
    int ask(const std::string& text, const std::string& caption, unsigned style) override;
    void inform(const std::string& text, const std::string& caption) override;
    void reportError(const std::string& text) override;
};

} // namespace dustbane::win32
