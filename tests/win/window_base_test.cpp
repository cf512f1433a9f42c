#include "platform/win32/window_base.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <thread>
#include <windows.h>

namespace dustbane::testing {
namespace {

constexpr UINT throwMessage = WM_APP;
constexpr UINT answerMessage = WM_APP + 1;
constexpr UINT destroyMessage = WM_APP + 2;
constexpr LRESULT answer = 42;

HINSTANCE instance() {
    return GetModuleHandleW(nullptr);
}

// A window object whose handler throws on one message and answers another.
struct Handler {
    LRESULT handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        switch (message) {
        case throwMessage:
            throw std::runtime_error("The disk went away.");
        case answerMessage:
            return answer;
        case destroyMessage:
            DestroyWindow(window);
            return 0;
        case WM_CLOSE:
            ownerEnabledWhileModal = IsWindowEnabled(GetWindow(window, GW_OWNER)) != FALSE;
            shownWhileModal = IsWindowVisible(window) != FALSE;
            modal.end();
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
        }
    }
    INT_PTR handleDialog(HWND, UINT message, WPARAM, LPARAM) {
        if (message == throwMessage) {
            throw std::runtime_error("The dialog lost its page.");
        }
        if (message == answerMessage) {
            ++dialogAnswers;
            return TRUE;
        }
        return FALSE;
    }

    win32::ModalLoop modal;
    int dialogAnswers = 0;
    bool ownerEnabledWhileModal = true;
    bool shownWhileModal = false;
};

HWND createWindow(Handler& handler, HWND owner = nullptr) {
    win32::registerClass(instance(), L"WindowBaseTest", win32::windowProcedure<Handler>, nullptr);
    return CreateWindowExW(0, L"WindowBaseTest", L"", WS_POPUP, 100, 100, 200, 100, owner, nullptr,
                           instance(), &handler);
}

// An empty dialog from a template in memory.
HWND createDialog(Handler& handler) {
    struct alignas(DWORD) Template {
        DLGTEMPLATE dialog;
        WORD menu, windowClass, title;
    } blank{{WS_POPUP, 0, 0, 0, 0, 200, 100}, 0, 0, 0};
    return CreateDialogIndirectParamW(instance(), &blank.dialog, nullptr,
                                      win32::dialogProcedure<Handler, &Handler::handleDialog>,
                                      reinterpret_cast<LPARAM>(&handler));
}

BOOL CALLBACK collectText(HWND child, LPARAM text) {
    wchar_t buffer[512] = {};
    GetWindowTextW(child, buffer, 512);
    *reinterpret_cast<std::wstring*>(text) += buffer;
    return TRUE;
}

// Waits on another thread for the error box on `thread`, reads its texts and presses OK.
class ErrorBoxAnswerer {
  public:
    explicit ErrorBoxAnswerer(DWORD thread)
        : worker_([this, thread] {
              for (int attempt = 0; attempt < 200 && !found_; ++attempt) {
                  Sleep(50);
                  EnumThreadWindows(thread, answerBox, reinterpret_cast<LPARAM>(this));
              }
          }) {}
    ~ErrorBoxAnswerer() { join(); }
    ErrorBoxAnswerer(const ErrorBoxAnswerer&) = delete;
    ErrorBoxAnswerer& operator=(const ErrorBoxAnswerer&) = delete;

    // The caption and texts of the box, once it was answered; empty when none showed.
    std::wstring text() {
        join();
        return text_;
    }

  private:
    static BOOL CALLBACK answerBox(HWND window, LPARAM self) {
        auto& answerer = *reinterpret_cast<ErrorBoxAnswerer*>(self);
        wchar_t className[64] = {};
        GetClassNameW(window, className, 64);
        if (std::wstring(className) != L"#32770" || !IsWindowVisible(window)) {
            return TRUE;
        }
        answerer.text_.clear();
        collectText(window, reinterpret_cast<LPARAM>(&answerer.text_));
        EnumChildWindows(window, collectText, reinterpret_cast<LPARAM>(&answerer.text_));
        answerer.found_ = true;
        PostMessageW(window, WM_COMMAND, IDOK, 0);
        return FALSE;
    }
    void join() {
        if (worker_.joinable()) {
            worker_.join();
        }
    }

    std::wstring text_;
    bool found_ = false;
    std::thread worker_;
};

TEST(WindowBaseTest, AnExceptionInAHandlerIsReportedAndTheWindowLivesOn) {
    Handler handler;
    HWND window = createWindow(handler);
    ASSERT_TRUE(window);

    ErrorBoxAnswerer answerer(GetCurrentThreadId());
    EXPECT_EQ(SendMessageW(window, throwMessage, 0, 0), 0);
    const std::wstring shown = answerer.text();
    EXPECT_NE(shown.find(L"Dustbane"), std::wstring::npos) << "the program's error box";
    EXPECT_NE(shown.find(L"The disk went away."), std::wstring::npos) << "the exception's words";

    EXPECT_TRUE(IsWindow(window));
    EXPECT_EQ(SendMessageW(window, answerMessage, 0, 0), answer) << "still handles messages";
    win32::detachAndDestroy(window);
}

TEST(WindowBaseTest, AnExceptionInADialogHandlerIsReportedTheSameWay) {
    Handler handler;
    HWND dialog = createDialog(handler);
    ASSERT_TRUE(dialog);

    ErrorBoxAnswerer answerer(GetCurrentThreadId());
    SendMessageW(dialog, throwMessage, 0, 0);
    const std::wstring shown = answerer.text();
    EXPECT_NE(shown.find(L"Dustbane"), std::wstring::npos);
    EXPECT_NE(shown.find(L"The dialog lost its page."), std::wstring::npos);

    EXPECT_TRUE(IsWindow(dialog));
    SendMessageW(dialog, answerMessage, 0, 0);
    EXPECT_EQ(handler.dialogAnswers, 1) << "still handles messages";
    win32::detachAndDestroy(dialog);
}

class ModalLoopTest : public ::testing::Test {
  protected:
    void SetUp() override {
        owner_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr,
                                 nullptr, instance(), nullptr);
        ASSERT_TRUE(owner_);
        window_ = createWindow(handler_, owner_);
        ASSERT_TRUE(window_);
    }
    void TearDown() override {
        win32::detachAndDestroy(window_);
        DestroyWindow(owner_);
    }
    void runModal() {
        handler_.modal.run(window_, owner_, window_, [](MSG&) { return false; });
    }

    Handler handler_;
    HWND owner_ = nullptr;
    HWND window_ = nullptr;
};

TEST_F(ModalLoopTest, EndsWhenItsWindowClosesAndGivesTheOwnerBackItsInput) {
    PostMessageW(window_, WM_CLOSE, 0, 0);
    runModal();

    EXPECT_FALSE(handler_.ownerEnabledWhileModal) << "the owner takes no input meanwhile";
    EXPECT_TRUE(handler_.shownWhileModal);
    EXPECT_FALSE(handler_.modal.running());
    EXPECT_TRUE(IsWindowEnabled(owner_));
    EXPECT_FALSE(IsWindowVisible(window_)) << "hidden, to be shown again";
    EXPECT_TRUE(IsWindow(window_));
}

TEST_F(ModalLoopTest, EndsWhenItsWindowIsDestroyed) {
    PostMessageW(window_, destroyMessage, 0, 0);
    runModal();

    EXPECT_FALSE(IsWindow(window_));
    EXPECT_TRUE(IsWindowEnabled(owner_));
}

TEST_F(ModalLoopTest, EndsWhenTheProgramQuitsAndLeavesTheQuitToTheMainLoop) {
    PostQuitMessage(7);
    runModal();

    EXPECT_TRUE(IsWindowEnabled(owner_));
    MSG quit{};
    ASSERT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(quit.wParam, 7u) << "with its exit code";
}

} // namespace
} // namespace dustbane::testing
