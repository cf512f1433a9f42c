#include "fakes/fake_registry.h"
#include "settings/context_menu.h"

#include <gtest/gtest.h>

namespace dustbane {
namespace {

using testing::FakeRegistry;

constexpr RegistryRoot user = RegistryRoot::CurrentUser;
constexpr RegistryRoot classes = RegistryRoot::ClassesRoot;
const std::string driveVerb = "Software\\Classes\\Drive\\shell\\Run Dustbane";
const std::string folderVerb = "Software\\Classes\\Folder\\shell\\Run Dustbane";

TEST(ContextMenu, WritesTheQuotedCommandForDrivesAndFoldersOfTheCurrentUser) {
    FakeRegistry registry;
    EXPECT_EQ(syncContextMenu(registry, true, "C:\\Program Files\\Dust bane\\"), "");

    const FakeRegistry::Value command =
        std::string("\"C:\\Program Files\\Dust bane\\Dustbane.exe\" \"%1\"");
    for (const std::string& verb : {driveVerb, folderVerb}) {
        EXPECT_EQ(registry.get(verb + "\\command", ""), command) << verb;
        EXPECT_EQ(registry.valueNames(verb + "\\command").size(), 1u) << verb;
        EXPECT_TRUE(registry.valueNames(verb).empty()) << "the verb key itself has no value";
    }
    EXPECT_FALSE(registry.keyExists(classes, "Drive"));
    EXPECT_FALSE(registry.keyExists(classes, "Folder"));
}

TEST(ContextMenu, RewritesACommandLeftByAnotherInstallationFolder) {
    FakeRegistry registry;
    registry.set(driveVerb + "\\command", "", std::string("C:\\Old\\Dustbane.exe %1"));
    ASSERT_EQ(syncContextMenu(registry, true, "C:\\Tools\\"), "");
    EXPECT_EQ(registry.get(driveVerb + "\\command", ""),
              FakeRegistry::Value(std::string("\"C:\\Tools\\Dustbane.exe\" \"%1\"")));
}

TEST(ContextMenu, RemovalDeletesBothVerbsAndTheOlderClassesRootRegistration) {
    FakeRegistry registry;
    ASSERT_EQ(syncContextMenu(registry, true, "C:\\Tools\\"), "");
    registry.set("Drive\\shell\\Run Dustbane\\command", "",
                 std::string("C:\\Tools\\Dustbane.exe %1"), classes);
    registry.set("Folder\\shell\\Run Dustbane\\command", "",
                 std::string("C:\\Tools\\Dustbane.exe %1"), classes);
    registry.set("Folder\\shell\\open\\command", "", std::string("explorer.exe"), classes);

    EXPECT_EQ(syncContextMenu(registry, false, "C:\\Tools\\"), "");

    EXPECT_FALSE(registry.keyExists(user, driveVerb));
    EXPECT_FALSE(registry.keyExists(user, folderVerb));
    EXPECT_FALSE(registry.keyExists(classes, "Drive\\shell\\Run Dustbane"));
    EXPECT_FALSE(registry.keyExists(classes, "Folder\\shell\\Run Dustbane"));
    EXPECT_TRUE(registry.keyExists(classes, "Folder\\shell\\open\\command")) << "other verbs stay";

    EXPECT_EQ(syncContextMenu(registry, false, "C:\\Tools\\"), "") << "absent keys are no error";
}

TEST(ContextMenu, FailuresAreToldInPlainWords) {
    FakeRegistry registry;
    registry.makeReadOnly("Software\\Classes");
    std::string failure = syncContextMenu(registry, true, "C:\\Tools\\");
    EXPECT_NE(failure.find("could not be written"), std::string::npos) << failure;
    EXPECT_NE(failure.find("HKEY_CURRENT_USER\\" + driveVerb), std::string::npos) << failure;

    FakeRegistry older;
    older.set("Drive\\shell\\Run Dustbane\\command", "", std::string("x"), classes);
    older.makeReadOnly("Drive", classes);
    failure = syncContextMenu(older, false, "C:\\Tools\\");
    EXPECT_NE(failure.find("HKEY_CLASSES_ROOT\\Drive\\shell\\Run Dustbane"), std::string::npos)
        << failure;
    EXPECT_EQ(failure.find("Folder"), std::string::npos) << "absent keys are not named";
}

} // namespace
} // namespace dustbane
