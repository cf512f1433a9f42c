// The main window on systems whose default language has a language file beside the program:
// the caption is the file's first line, the Clean button's caption its second and the Analyze
// button's its 74th. Each
// scenario runs with its locale (see driver.h), which also sets the ANSI code page the file
// is written in.

#include "driver/driver.h"

#include <gtest/gtest.h>

namespace dustbane::e2e {
namespace {

// The lines of the installed language file, as the program splits them.
std::vector<std::string> languageLines(const std::string& code) {
    auto bytes = readFile(installDir() + "lang\\" + code + ".ini");
    if (!bytes) {
        return {};
    }
    std::string text = fromAnsi(*bytes);
    std::vector<std::string> lines;
    std::string line;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            lines.push_back(line);
            line.clear();
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
        } else {
            line += text[i];
        }
    }
    if (!line.empty()) {
        lines.push_back(line);
    }
    return lines;
}

class Languages : public Scenario {
  protected:
    void expectTranslatedWindow(LANGID language, const std::string& code) {
        ASSERT_EQ(systemLanguage(), language) << "this scenario needs its locale in LC_ALL";
        auto lines = languageLines(code);
        ASSERT_GE(lines.size(), 75u) << "lang\\" << code << ".ini is not beside the program";
        ASSERT_NE(lines[1], "Clean") << "the file's Clean caption is not translated";

        auto app = App::launch();
        HWND window = app.waitForMainWindow();
        ASSERT_TRUE(window) << "no main window";
        EXPECT_EQ(windowText(window), lines[0]);
        auto buttons = childWindows(window, "Button");
        ASSERT_EQ(buttons.size(), 7u);
        EXPECT_EQ(windowText(buttons[0]), lines[1]) << "the Clean button";
        EXPECT_EQ(windowText(buttons[1]), lines[73]) << "the Analyze button";
        EXPECT_EQ(windowText(buttons[2]), lines[5]) << "the Options button";
        EXPECT_EQ(windowText(buttons[6]), lines[15]) << "the Exit button";
        EXPECT_EQ(app.close(), 0u);
    }
};

TEST_F(Languages, GermanSystemShowsTheGermanTexts_de_DE) {
    expectTranslatedWindow(0x0407, "de");
}

TEST_F(Languages, FrenchSystemShowsTheFrenchTexts_fr_FR) {
    expectTranslatedWindow(0x040C, "fr");
}

TEST_F(Languages, SimplifiedChineseSystemShowsTheSimplifiedTexts_zh_CN) {
    expectTranslatedWindow(0x0804, "cn");
}

TEST_F(Languages, TraditionalChineseSystemShowsTheTraditionalTexts_zh_TW) {
    expectTranslatedWindow(0x0404, "ct");
}

} // namespace
} // namespace dustbane::e2e
