#include "app/help_and_log.h"
#include "fakes/fake_platform.h"
#include "text/elapsed_text.h"

#include <gtest/gtest.h>

namespace dustbane {
namespace {

using testing::FakePlatform;

TEST(ElapsedText, SwitchesUnitsAtAMinuteAndAnHour) {
    const std::pair<int32_t, const char*> cases[] = {
        {0, "Past: 0s"},       {59, "Past: 59s"},       {60, "Past: 1m 0s"},
        {125, "Past: 2m 5s"},  {3599, "Past: 59m 59s"}, {3600, "Past: 1h 0m"},
        {3725, "Past: 1h 2m"}, {90061, "Past: 25h 1m"},
    };
    for (auto [seconds, text] : cases) {
        EXPECT_EQ(elapsedText("Past", seconds), text) << seconds;
    }
}

TEST(ElapsedText, AnEmptyWordStillLeadsWithTheColon) {
    EXPECT_EQ(elapsedText("", 42), ": 42s");
}

TEST(InstalledDocuments, OpensAnExistingDocumentThroughTheShell) {
    FakePlatform fake;
    LanguageTable language;
    fake.files.addFile("C:\\Tools\\help.htm");
    fake.files.addFile("C:\\Tools\\logs.log");
    openInstalledDocument(InstalledDocument::Help, "C:\\Tools\\", language, fake.platform);
    openInstalledDocument(InstalledDocument::Log, "C:\\Tools\\", language, fake.platform);
    EXPECT_EQ(fake.shell.opened,
              (std::vector<std::string>{"C:\\Tools\\help.htm", "C:\\Tools\\logs.log"}));
    EXPECT_TRUE(fake.prompter.informations.empty());
}

TEST(InstalledDocuments, AMissingDocumentIsReportedWithTheTablesText) {
    FakePlatform fake;
    LanguageTable language;
    fake.files.addFile("C:\\Other\\help.htm");
    fake.files.addFolder("C:\\Tools\\logs.log");
    openInstalledDocument(InstalledDocument::Help, "C:\\Tools\\", language, fake.platform);
    openInstalledDocument(InstalledDocument::Log, "C:\\Tools\\", language, fake.platform);
    EXPECT_TRUE(fake.shell.opened.empty()) << "a folder named logs.log is no log";
    ASSERT_EQ(fake.prompter.informations.size(), 2u);
    EXPECT_EQ(fake.prompter.informations[0].text, "No help file");
    EXPECT_EQ(fake.prompter.informations[0].caption, "Information");
    EXPECT_EQ(fake.prompter.informations[1].text, "No Log file");
}

} // namespace
} // namespace dustbane
