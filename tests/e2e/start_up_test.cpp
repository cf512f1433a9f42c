// How the main window opens and closes: the settings key, the stored geometry, the
// installation folder and the language file that gives the caption.

#include "driver/driver.h"

#include <functional>
#include <gtest/gtest.h>

namespace dustbane::e2e {
namespace {

// A complete language file (64 lines, in the ANSI code page) whose first line, the
// window caption, is the one given.
void writeLanguageFile(const std::string& folder, const std::string& code,
                       const std::string& caption) {
    std::string text = caption + "\r\n";
    for (int line = 1; line < 64; ++line) {
        text += "entry " + std::to_string(line) + "\r\n";
    }
    writeFile(folder + "lang\\" + code + ".ini", toAnsi(text));
}

void storeBounds(const RegKey& key, int left, int top, int width, int height) {
    key.writeInt("Left", left);
    key.writeInt("Top", top);
    key.writeInt("Width", width);
    key.writeInt("Height", height);
}

void expectStoredBounds(const RegKey& key, long left, long top, long width, long height) {
    EXPECT_EQ(key.readInt("Left"), left);
    EXPECT_EQ(key.readInt("Top"), top);
    EXPECT_EQ(key.readInt("Width"), width);
    EXPECT_EQ(key.readInt("Height"), height);
}

void expectDesignedSizeCentred(HWND window) {
    RECT rect = windowRect(window);
    RECT screen = screenRect();
    EXPECT_FALSE(isMaximized(window));
    EXPECT_EQ(widthOf(rect), designedWidth);
    EXPECT_EQ(heightOf(rect), designedHeight);
    EXPECT_NEAR(rect.left - screen.left, screen.right - rect.right, 1);
    EXPECT_NEAR(rect.top - screen.top, screen.bottom - rect.bottom, 1);
}

using StartUp = Scenario;

TEST_F(StartUp, FirstStartCreatesTheKeyAndOpensCentredAtTheDesignedSize) {
    ASSERT_FALSE(settings.exists());

    auto app = App::launch();
    HWND window = app.waitForMainWindow();
    ASSERT_TRUE(window) << "no main window";

    EXPECT_TRUE(settings.exists());
    EXPECT_EQ(windowText(window), "Dustbane");
    expectDesignedSizeCentred(window);
    RECT opened = windowRect(window);

    EXPECT_EQ(app.close(), 0u);
    EXPECT_EQ(settings.readInt("Maximize"), 0);
    expectStoredBounds(settings, opened.left, opened.top, designedWidth, designedHeight);
}

TEST_F(StartUp, StoredGeometryIsRestoredAndTheMovedWindowStoredOnClose) {
    settings.writeInt("Savepos", 1);
    settings.writeInt("Maximize", 0);
    storeBounds(settings, 120, 90, 640, 480);

    auto app = App::launch();
    HWND window = app.waitForMainWindow();
    ASSERT_TRUE(window) << "no main window";
    RECT opened = windowRect(window);
    EXPECT_EQ(opened.left, 120);
    EXPECT_EQ(opened.top, 90);
    EXPECT_EQ(widthOf(opened), 640);
    EXPECT_EQ(heightOf(opened), 480);
    EXPECT_FALSE(isMaximized(window));

    SetWindowPos(window, nullptr, 210, 160, 700, 520, SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(waitUntil([&] { return windowRect(window).left == 210; }));

    EXPECT_EQ(app.close(), 0u);
    EXPECT_EQ(settings.readInt("Maximize"), 0);
    expectStoredBounds(settings, 210, 160, 700, 520);
}

TEST_F(StartUp, StoredGeometryIsIgnoredWhenSaveposIsOffButStillWrittenOnClose) {
    settings.writeInt("Savepos", 0);
    settings.writeInt("Maximize", 0);
    storeBounds(settings, 120, 90, 640, 480);

    auto app = App::launch();
    HWND window = app.waitForMainWindow();
    ASSERT_TRUE(window) << "no main window";
    expectDesignedSizeCentred(window);
    RECT opened = windowRect(window);

    EXPECT_EQ(app.close(), 0u);
    expectStoredBounds(settings, opened.left, opened.top, designedWidth, designedHeight);
}

TEST_F(StartUp, MaximizedWithoutSaveposOpensMaximizedAndClosingKeepsTheBounds) {
    settings.writeInt("Maximize", 1);
    storeBounds(settings, 120, 90, 640, 480);

    auto app = App::launch();
    HWND window = app.waitForMainWindow();
    ASSERT_TRUE(window) << "no main window";
    EXPECT_TRUE(isMaximized(window));

    EXPECT_EQ(app.close(), 0u);
    EXPECT_EQ(settings.readInt("Maximize"), 1);
    expectStoredBounds(settings, 120, 90, 640, 480);
}

TEST_F(StartUp, SaveposStoredAsTextLeavesTheGeometryAloneAndUsesTheCurrentDirectory) {
    std::string installed = scratch() + "installed\\";
    std::string current = scratch() + "current\\";
    writeLanguageFile(installed, "en", "From the installation folder");
    writeLanguageFile(current, "en", "From the current directory");
    settings.writeString("Installdir", installed);
    settings.writeString("Savepos", "1");
    settings.writeInt("Maximize", 0);
    storeBounds(settings, 120, 90, 640, 480);

    auto app = App::launch({.workingDirectory = current});
    HWND window = app.waitForMainWindow();
    ASSERT_TRUE(window) << "no main window";
    EXPECT_EQ(windowText(window), "From the current directory");
    expectDesignedSizeCentred(window);
}

// Which folder's language file gives the caption, for what the key holds beside Installdir.
struct InstallFolderCase {
    const char* name;
    std::function<void(const RegKey&, const std::string& installed)> store;
    const char* expectedCaption;
};

class InstallFolder : public Scenario, public ::testing::WithParamInterface<InstallFolderCase> {};

TEST_P(InstallFolder, DecidesWhichLanguageFileGivesTheCaption) {
    std::string installed = scratch() + "installed\\";
    std::string current = scratch() + "current\\";
    writeLanguageFile(installed, "en", "From the installation folder");
    writeLanguageFile(current, "en", "From the current directory");
    GetParam().store(settings, installed);

    auto app = App::launch({.workingDirectory = current});
    HWND window = app.waitForMainWindow();
    ASSERT_TRUE(window) << "no main window";
    EXPECT_EQ(windowText(window), GetParam().expectedCaption);
}

INSTANTIATE_TEST_SUITE_P(
    StartUp, InstallFolder,
    ::testing::Values(InstallFolderCase{"Absent", [](const RegKey&, const std::string&) {},
                                        "From the current directory"},
                      InstallFolderCase{"WithoutTrailingBackslash",
                                        [](const RegKey& key, const std::string& installed) {
                                            key.writeString(
                                                "Installdir",
                                                installed.substr(0, installed.size() - 1));
                                        },
                                        "From the installation folder"},
                      InstallFolderCase{"FollowedByABoundOfAnotherType",
                                        [](const RegKey& key, const std::string& installed) {
                                            key.writeString("Installdir", installed);
                                            key.writeInt("Savepos", 1);
                                            key.writeInt("Maximize", 0);
                                            key.writeBinary("Left", std::string("\x10\x00", 2));
                                        },
                                        "From the current directory"}),
    [](const auto& instance) { return std::string(instance.param.name); });

TEST_F(StartUp, GermanSystemTakesTheCaptionFromTheGermanLanguageFile_de_DE) {
    ASSERT_EQ(systemLanguage(), 0x0407) << "this scenario needs LC_ALL=de_DE.UTF-8";
    writeLanguageFile(scratch(), "de", "Staubfänger");
    writeLanguageFile(scratch(), "en", "English caption");

    auto app = App::launch({.workingDirectory = scratch()});
    HWND window = app.waitForMainWindow();
    ASSERT_TRUE(window) << "no main window";
    EXPECT_EQ(windowText(window), "Staubfänger");
}

} // namespace
} // namespace dustbane::e2e
