#include "fakes/fake_platform.h"
#include "options/options_logic.h"

#include <gtest/gtest.h>
#include <map>
#include <string>

namespace dustbane {
namespace {

using testing::FakePlatform;
using testing::FakeRegistry;

const std::string installDir = "C:\\Program Files\\Dustbane\\";
const std::string logPath = installDir + "logs.log";

// The options dialog's OK against a settings key that refuses writes.
struct UnwritableStoreTest : ::testing::Test {
    FakePlatform fake;
    AppServices app{fake.platform};
    SettingsSummary summary{app.settings, app.language, fake.window.model, app.folders};
    OptionsLogic logic{app, summary, fake.window.model};

    UnwritableStoreTest() {
        app.installDir = installDir;
        app.settings.Ext = "bak";
        app.settings.PathList = {{"C:\\Data", true}};
        app.settings.FolderList = {{"C:\\Cache", false}};
        EXPECT_EQ(app.store.saveSettings(app.settings), "");
        EXPECT_EQ(app.store.saveLists(app.settings), "");
        fake.files.addFile(logPath, "\r\n01.12.2026\r\nold run\r\n");
    }

    std::map<std::string, FakeRegistry::Value> storedValues() const {
        std::map<std::string, FakeRegistry::Value> values;
        for (const std::string& name : fake.registry.valueNames(settingsKeyPath)) {
            values[name] = *fake.registry.get(settingsKeyPath, name);
        }
        return values;
    }

    // The user's edits in the open dialog.
    void edit() {
        logic.setFlag(&CleanSettings::Tempfolder, false);
        logic.setFlag(&CleanSettings::Logs, false);
        app.settings.Ext = "obj;gss";
        app.settings.PathList.push_back({"D:\\More", true});
    }
};

TEST_F(UnwritableStoreTest, OkNamesWhatWasNotSavedAndKeepsTheEditsAndTheOldStore) {
    logic.shown();
    const auto before = storedValues();
    fake.registry.makeReadOnly(settingsKeyPath);
    edit();
    const CleanSettings edited = app.settings;

    logic.ok();
    logic.closing();

    ASSERT_EQ(fake.prompter.errors.size(), 1u) << "one box for every failure of the OK";
    const std::string& report = fake.prompter.errors[0];
    EXPECT_NE(report.find("\"Tempfolder\" could not be saved"), std::string::npos) << report;
    EXPECT_NE(report.find("\"Pathnum\" could not be saved"), std::string::npos) << report;
    EXPECT_NE(report.find("HKEY_CURRENT_USER\\Software\\Quillfen\\Cleaner"), std::string::npos);
    EXPECT_EQ(report.find("Run Dustbane"), std::string::npos) << "the verb was written";
    EXPECT_EQ(app.settings, edited) << "the live record keeps what the user chose";
    EXPECT_EQ(storedValues(), before) << "the store is not half written";
    EXPECT_TRUE(fake.files.exists(logPath))
        << "logging off was not stored, so the log keeps its history";
    EXPECT_EQ(fake.window.header, "Now Settings") << "the summary shows the edits";
}

TEST_F(UnwritableStoreTest, AWriteThatFailsHalfwayNamesTheFirstUnsavedValueAndTheRestStays) {
    logic.shown();
    edit();
    // Tempfolder, Interfolder and Recycle are written; Thumbs is refused, and so is everything
    // after it.
    fake.registry.failWritesAfter(3);

    logic.ok();

    ASSERT_EQ(fake.prompter.errors.size(), 1u);
    const std::string& report = fake.prompter.errors[0];
    EXPECT_NE(report.find("\"Thumbs\" could not be saved"), std::string::npos) << report;
    EXPECT_EQ(report.find("\"Tempfolder\""), std::string::npos) << report;
    EXPECT_EQ(fake.registry.get(settingsKeyPath, "Tempfolder"), FakeRegistry::Value{0});
    EXPECT_EQ(fake.registry.get(settingsKeyPath, "Ext"), FakeRegistry::Value{std::string("bak")});

    // What the store holds now still loads into a whole record.
    CleanSettings reloaded;
    reloaded.PathList.clear();
    app.store.loadSettings(reloaded, {});
    EXPECT_FALSE(reloaded.Tempfolder);
    EXPECT_EQ(reloaded.Ext, "bak");
    EXPECT_EQ(reloaded.PathList, (CheckedPathList{{"C:\\Data", true}}));
    EXPECT_EQ(reloaded.FolderList, (CheckedPathList{{"C:\\Cache", false}}));
}

} // namespace
} // namespace dustbane
