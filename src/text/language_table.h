#pragma once

#include "platform/file_system.h"
#include "platform/system.h"
#include "text/text_entries.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace dustbane {

// The texts the main window and the clean engine show, named by Text. Loaded once at start
// from lang\<code>.ini in the installation folder, else the built-in English texts.
class LanguageTable {
  public:
    static constexpr int size = textCount;

    LanguageTable();

    // "cn", "ct", "de", "fr" or "en" for a system default language identifier.
    static std::string codeFor(uint16_t languageId);
    static const std::array<const char*, size>& builtIn();
    static const char* builtIn(Text entry);

    void load(const FileSystem& files, const System& system, const std::string& installDir);
    // Replaces the table by the lines of a language file's text (already in UTF-8).
    void loadText(const std::string& text);
    // Puts another text in an entry's place, for a run that speaks of its work differently.
    void setText(Text entry, std::string text);

    // An entry the file does not have falls back to the built-in English text.
    const std::string& text(Text entry) const;
    // By line of the file, for callers that walk all of them; one entry is named by Text.
    const std::string& text(int index) const;

  private:
    std::vector<std::string> entries_;
};

} // namespace dustbane
