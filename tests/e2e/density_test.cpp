// The main window and the options dialog on a screen of 144 dots per inch (150 per cent),
// measured against the same windows at 96 in the same prefix.
//
// Wine reads the density from the registry when a program starts, so a scenario sets it
// before it starts Dustbane; this test program keeps the density it started with.

#include "app/win32/resource_ids.h"
#include "driver/driver.h"
#include "options/win32/options_ids.h"

#include <gtest/gtest.h>

namespace dustbane::e2e {
namespace {

void setScreenDensity(int dpi) {
    RegKey(HKEY_CURRENT_USER, "Control Panel\\Desktop").writeInt("LogPixels", dpi);
}

// Window rectangles of another process as the screen has them: a thread that is not aware of
// densities would get them scaled to its own.
class RawPixels {
  public:
    RawPixels() {
        using SetContext = void*(WINAPI*)(void*);
        auto set = reinterpret_cast<SetContext>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetThreadDpiAwarenessContext")));
        // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2
        previous_ = set ? set(reinterpret_cast<void*>(static_cast<intptr_t>(-4))) : nullptr;
        set_ = set;
    }
    RawPixels(const RawPixels&) = delete;
    RawPixels& operator=(const RawPixels&) = delete;
    ~RawPixels() {
        if (set_ && previous_) {
            set_(previous_);
        }
    }

  private:
    void*(WINAPI* set_)(void*) = nullptr;
    void* previous_ = nullptr;
};

struct Measures {
    RECT mainWindow{};
    std::vector<RECT> textButtons;
    std::vector<RECT> iconButtons;
    RECT optionsDialog{};
    RECT okButton{};
};

std::vector<RECT> buttonRects(HWND mainWindow) {
    std::vector<RECT> rects;
    for (HWND button : childWindows(mainWindow, "Button")) {
        rects.push_back(windowRect(button));
    }
    return rects;
}

bool buttonsSized(HWND mainWindow, int width, int height) {
    auto rects = buttonRects(mainWindow);
    return rects.size() == 7 && std::all_of(rects.begin(), rects.end(), [&](const RECT& rect) {
               return widthOf(rect) == width && heightOf(rect) == height;
           });
}

// Every control of every page lies inside its page, and every page inside the dialog: a
// template laid out for another font would overflow at the bottom or the right.
void expectNothingClipped(HWND dialog) {
    RECT frame = windowRect(dialog);
    auto pages = childWindows(dialog, "#32770");
    ASSERT_EQ(pages.size(), 6u);
    for (HWND page : pages) {
        RECT area = windowRect(page);
        EXPECT_GE(area.left, frame.left);
        EXPECT_LE(area.right, frame.right);
        EXPECT_LE(area.bottom, frame.bottom);
        for (HWND child = GetWindow(page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            if (className(child) == "msctls_updown32") {
                continue; // sits on its buddy's edge
            }
            RECT rect = windowRect(child);
            EXPECT_TRUE(rect.left >= area.left && rect.top >= area.top &&
                        rect.right <= area.right && rect.bottom <= area.bottom)
                << "control " << GetDlgCtrlID(child) << " \"" << windowText(child)
                << "\" leaves its page";
        }
    }
    for (int id : {IDC_DEFAULT, IDC_HELP_BUTTON, IDOK, IDCANCEL}) {
        RECT rect = windowRect(GetDlgItem(dialog, id));
        EXPECT_LE(rect.right, frame.right) << id;
        EXPECT_LE(rect.bottom, frame.bottom) << id;
    }
}

Measures measureAt(int dpi) {
    setScreenDensity(dpi);
    Measures measures;
    auto app = App::launch();
    HWND window = app.waitForMainWindow();
    EXPECT_TRUE(window) << "no main window at " << dpi << " dots per inch";
    if (!window) {
        return measures;
    }
    RawPixels raw;
    EXPECT_TRUE(waitUntil([&] { return listViewCount(findChild(window, "SysListView32")) > 0; }));
    measures.mainWindow = windowRect(window);
    measures.textButtons = buttonRects(window);

    postCommand(window, IDC_TOOL_OPTIONS);
    HWND dialog = waitForTopLevel(app.processId(), "TForm2", "Clean Settings");
    EXPECT_TRUE(dialog) << "no options dialog";
    if (dialog) {
        measures.optionsDialog = windowRect(dialog);
        measures.okButton = windowRect(GetDlgItem(dialog, IDOK));
        expectNothingClipped(dialog);
        postCommand(dialog, IDCANCEL);
        EXPECT_TRUE(waitUntil([&] { return !isVisible(dialog); }));
    }

    RECT before = windowRect(window);
    postCommand(window, IDM_ONLY_ICONS);
    // The buttons are resized one after another: wait for the last of them.
    EXPECT_TRUE(waitUntil([&] {
        auto now = buttonRects(window);
        return now.size() == measures.textButtons.size() && !now.empty() &&
               std::all_of(now.begin(), now.end(), [&](const RECT& rect) {
                   return widthOf(rect) != widthOf(measures.textButtons[0]);
               });
    }));
    measures.iconButtons = buttonRects(window);
    EXPECT_EQ(widthOf(windowRect(window)), widthOf(before)) << "only the toolbar changes";
    EXPECT_EQ(app.close(), 0u);
    return measures;
}

using Density = Scenario;

TEST_F(Density, At144DotsPerInchEveryWindowIsOneAndAHalfTimesItsDesign) {
    Measures normal = measureAt(96);
    ASSERT_FALSE(::testing::Test::HasFatalFailure());
    settings.deleteTree();
    Measures dense = measureAt(144);

    EXPECT_EQ(widthOf(normal.mainWindow), designedWidth);
    EXPECT_EQ(heightOf(normal.mainWindow), designedHeight);
    EXPECT_NEAR(widthOf(dense.mainWindow), designedWidth * 1.5, 2);
    EXPECT_NEAR(heightOf(dense.mainWindow), designedHeight * 1.5, 2);

    ASSERT_EQ(dense.textButtons.size(), 7u);
    ASSERT_EQ(dense.iconButtons.size(), 7u);
    for (size_t slot = 0; slot < 7; ++slot) {
        SCOPED_TRACE("slot " + std::to_string(slot));
        const RECT& text = dense.textButtons[slot];
        EXPECT_EQ(widthOf(text), 108);
        EXPECT_EQ(heightOf(text), 113);
        EXPECT_EQ(text.left - dense.textButtons[0].left, static_cast<long>(slot) * 110);
        const RECT& icon = dense.iconButtons[slot];
        EXPECT_EQ(widthOf(icon), 83);
        EXPECT_EQ(heightOf(icon), 83);
        EXPECT_EQ(icon.left - dense.iconButtons[0].left, static_cast<long>(slot) * 84);
    }

    // The dialog scales with its font, whose glyphs do not grow exactly by half.
    double widthRatio =
        static_cast<double>(widthOf(dense.optionsDialog)) / widthOf(normal.optionsDialog);
    double heightRatio =
        static_cast<double>(heightOf(dense.optionsDialog)) / heightOf(normal.optionsDialog);
    EXPECT_NEAR(widthRatio, 1.5, 0.2);
    EXPECT_NEAR(heightRatio, 1.5, 0.2);
    EXPECT_NEAR(static_cast<double>(heightOf(dense.okButton)) / heightOf(normal.okButton), 1.5,
                0.2);
    RECT screen = screenRect();
    EXPECT_TRUE(dense.optionsDialog.left >= screen.left && dense.optionsDialog.top >= screen.top &&
                dense.optionsDialog.right <= screen.right &&
                dense.optionsDialog.bottom <= screen.bottom)
        << "the dialog fits on the screen";
}

TEST_F(Density, At120DotsPerInchTheToolbarKeepsItsProportions) {
    setScreenDensity(120);
    auto app = App::launch();
    HWND window = app.waitForMainWindow();
    ASSERT_TRUE(window) << "no main window";
    RawPixels raw;
    EXPECT_NEAR(widthOf(windowRect(window)), designedWidth * 1.25, 2);
    EXPECT_NEAR(heightOf(windowRect(window)), designedHeight * 1.25, 2);
    EXPECT_TRUE(waitUntil([&] { return buttonsSized(window, 90, 94); }));
    postCommand(window, IDM_ONLY_ICONS);
    EXPECT_TRUE(waitUntil([&] { return buttonsSized(window, 69, 69); }));
    EXPECT_EQ(app.close(), 0u);
}

} // namespace
} // namespace dustbane::e2e
