#include "platform/win32/text.h"
#include "platform/win32/win32_prompter.h"

#include <gtest/gtest.h>
#include <thread>
#include <windows.h>

namespace dustbane::testing {
namespace {

struct SeenBox {
    bool found = false;
    std::string text;
    bool owned = true;
};

// Answers the first message box with the caption by clicking a button, as a user would, and
// tells what it saw. Gives up after ten seconds, so a box that never comes fails the test.
class BoxAnswerer {
  public:
    BoxAnswerer(const std::string& caption, int button)
        : thread_([this, caption, button] { answer(win32::widen(caption), button); }) {}
    ~BoxAnswerer() {
        if (thread_.joinable()) {
            thread_.join();
        }
    }

    SeenBox seen() {
        thread_.join();
        return seen_;
    }

  private:
    void answer(const std::wstring& caption, int button) {
        for (int i = 0; i < 400; ++i) {
            HWND box = FindWindowW(L"#32770", caption.c_str());
            HWND control = box ? GetDlgItem(box, button) : nullptr;
            if (control) {
                seen_.found = true;
                seen_.owned = GetWindow(box, GW_OWNER) != nullptr;
                wchar_t shown[256] = L"";
                GetDlgItemTextW(box, 0xFFFF, shown, 256);
                seen_.text = win32::narrow(shown);
                PostMessageW(control, BM_CLICK, 0, 0);
                return;
            }
            Sleep(25);
        }
    }

    SeenBox seen_;
    std::thread thread_;
};

TEST(Win32PrompterTest, AskShowsTheQuestionAndReturnsTheAnswerGiven) {
    win32::Win32Prompter prompter;
    for (int button : {IDYES, IDNO}) {
        BoxAnswerer answerer("Clean Confirmation", button);
        EXPECT_EQ(prompter.ask("Clean now? \xC3\xA9", "Clean Confirmation", style::question),
                  button);
        SeenBox seen = answerer.seen();
        EXPECT_TRUE(seen.found);
        EXPECT_EQ(seen.text, "Clean now? \xC3\xA9");
        EXPECT_FALSE(seen.owned);
    }
}

TEST(Win32PrompterTest, InformAndReportErrorShowOneOkBox) {
    win32::Win32Prompter prompter;
    {
        BoxAnswerer answerer("Help", IDOK);
        prompter.inform("help.htm is missing", "Help");
        EXPECT_EQ(answerer.seen().text, "help.htm is missing");
    }
    {
        BoxAnswerer answerer("Dustbane", IDOK);
        prompter.reportError("Cannot write C:\\logs.log: Access denied.");
        EXPECT_EQ(answerer.seen().text, "Cannot write C:\\logs.log: Access denied.");
    }
}

} // namespace
} // namespace dustbane::testing
