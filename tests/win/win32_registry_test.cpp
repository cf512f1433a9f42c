#include "platform/win32/win32_registry.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <windows.h>

namespace dustbane::testing {
namespace {

// Every test works below a key of its own, deleted before and after.
class Win32RegistryTest : public ::testing::Test {
  protected:
    Win32RegistryTest()
        : base("Software\\DustbaneTests\\" + std::to_string(GetCurrentProcessId()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name()) {
        RegDeleteTreeW(HKEY_CURRENT_USER, widePath(base).c_str());
    }
    ~Win32RegistryTest() override {
        RegDeleteTreeW(HKEY_CURRENT_USER, widePath(base).c_str());
        RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\DustbaneTests");
    }

    static std::wstring widePath(const std::string& path) {
        return std::wstring(path.begin(), path.end());
    }

    // A value of any type, written with the raw API.
    void writeRaw(const std::string& name, DWORD type, const void* data, DWORD size) {
        ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, widePath(base).c_str(), widePath(name).c_str(),
                                  type, data, size),
                  ERROR_SUCCESS);
    }

    const std::string base;
    win32::Win32Registry registry;
};

TEST_F(Win32RegistryTest, OpensOnlyExistingKeysUnlessAskedToCreate) {
    EXPECT_EQ(registry.open(RegistryRoot::CurrentUser, base, false), nullptr);
    EXPECT_FALSE(registry.keyExists(RegistryRoot::CurrentUser, base));

    EXPECT_NE(registry.open(RegistryRoot::CurrentUser, base, true), nullptr);
    EXPECT_TRUE(registry.keyExists(RegistryRoot::CurrentUser, base));
    EXPECT_NE(registry.open(RegistryRoot::CurrentUser, base, false), nullptr);
}

TEST_F(Win32RegistryTest, AcceptsLeadingAndTrailingBackslashes) {
    auto key = registry.open(RegistryRoot::CurrentUser, "\\" + base + "\\Google Earth Plus", true);
    ASSERT_NE(key, nullptr);
    ASSERT_TRUE(key->writeString("CachePath", "C:\\cache"));

    auto same = registry.open(RegistryRoot::CurrentUser, base + "\\Google Earth Plus\\", false);
    ASSERT_NE(same, nullptr);
    EXPECT_EQ(same->readString("CachePath"), "C:\\cache");
    EXPECT_TRUE(registry.keyExists(RegistryRoot::CurrentUser, "\\" + base));
}

TEST_F(Win32RegistryTest, ReadsEachTypeOnlyAsItself) {
    auto key = registry.open(RegistryRoot::CurrentUser, base, true);
    ASSERT_NE(key, nullptr);
    ASSERT_TRUE(key->writeInt("Negative", -5));
    ASSERT_TRUE(key->writeString("Text", "caf\xC3\xA9 \xE6\x97\xA5"));
    const wchar_t expandable[] = L"%TEMP%\\x";
    writeRaw("Expand", REG_EXPAND_SZ, expandable, sizeof expandable);
    writeRaw("Empty", REG_SZ, L"", 0);
    const wchar_t unterminated[] = {L'a', L'b'};
    writeRaw("Unterminated", REG_SZ, unterminated, sizeof unterminated);
    const BYTE binary[] = {1, 0, 0, 0};
    writeRaw("Binary", REG_BINARY, binary, sizeof binary);
    const ULONGLONG wide = 7;
    writeRaw("Qword", REG_QWORD, &wide, sizeof wide);

    struct Case {
        const char* name;
        std::optional<std::string> text;
        std::optional<int32_t> number;
    } cases[] = {
        {"Negative", std::nullopt, -5},        {"Text", "caf\xC3\xA9 \xE6\x97\xA5", std::nullopt},
        {"Expand", "%TEMP%\\x", std::nullopt}, {"Empty", "", std::nullopt},
        {"Unterminated", "ab", std::nullopt},  {"Binary", std::nullopt, std::nullopt},
        {"Qword", std::nullopt, std::nullopt}, {"Missing", std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(key->valueExists(c.name), std::string(c.name) != "Missing") << c.name;
        EXPECT_EQ(key->readString(c.name), c.text) << c.name;
        EXPECT_EQ(key->readInt(c.name), c.number) << c.name;
    }
}

TEST_F(Win32RegistryTest, WritesOverwriteAndDeletedValuesAreGone) {
    auto key = registry.open(RegistryRoot::CurrentUser, base, true);
    ASSERT_NE(key, nullptr);
    ASSERT_TRUE(key->writeString("Patha0", "C:"));
    ASSERT_TRUE(key->writeInt("Patha0", 1)); // the type changes with the write
    EXPECT_EQ(key->readInt("Patha0"), 1);
    EXPECT_EQ(key->readString("Patha0"), std::nullopt);
    ASSERT_TRUE(key->writeInt("Logday", INT32_MIN));
    EXPECT_EQ(key->readInt("Logday"), INT32_MIN);

    EXPECT_TRUE(key->deleteValue("Patha0"));
    EXPECT_FALSE(key->valueExists("Patha0"));
    EXPECT_FALSE(key->deleteValue("Patha0"));

    // Seen again through a fresh handle, the store holds what was written.
    auto reopened = registry.open(RegistryRoot::CurrentUser, base, false);
    ASSERT_NE(reopened, nullptr);
    EXPECT_EQ(reopened->readInt("Logday"), INT32_MIN);
}

TEST_F(Win32RegistryTest, ListsDirectSubkeysAndDeletesWholeTrees) {
    for (const char* name : {"8.0", "10.0", "9.0\\Deeper"}) {
        ASSERT_NE(registry.open(RegistryRoot::CurrentUser, base + "\\ACDSee\\" + name, true),
                  nullptr);
    }
    auto key = registry.open(RegistryRoot::CurrentUser, base + "\\ACDSee", false);
    ASSERT_NE(key, nullptr);
    std::vector<std::string> names = key->subkeyNames();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"10.0", "8.0", "9.0"}));

    EXPECT_TRUE(registry.deleteTree(RegistryRoot::CurrentUser, base + "\\ACDSee"));
    EXPECT_FALSE(registry.keyExists(RegistryRoot::CurrentUser, base + "\\ACDSee"));
    EXPECT_TRUE(registry.keyExists(RegistryRoot::CurrentUser, base));
    // Already gone is still gone.
    EXPECT_TRUE(registry.deleteTree(RegistryRoot::CurrentUser, base + "\\ACDSee"));
}

TEST_F(Win32RegistryTest, NeverDeletesAWholeRoot) {
    EXPECT_FALSE(registry.deleteTree(RegistryRoot::CurrentUser, ""));
    EXPECT_FALSE(registry.deleteTree(RegistryRoot::CurrentUser, "\\"));
    EXPECT_TRUE(registry.keyExists(RegistryRoot::CurrentUser, "Software"));
}

TEST_F(Win32RegistryTest, ReachesTheClassesRoot) {
    EXPECT_TRUE(registry.keyExists(RegistryRoot::ClassesRoot, "Folder"));
    const std::string verb = "Folder\\shell\\DustbaneTest" + std::to_string(GetCurrentProcessId());
    auto key = registry.open(RegistryRoot::ClassesRoot, verb + "\\command", true);
    ASSERT_NE(key, nullptr);
    EXPECT_TRUE(key->writeString("", "\"C:\\Dustbane.exe\" \"%1\""));
    EXPECT_EQ(key->readString(""), "\"C:\\Dustbane.exe\" \"%1\"");
    key.reset();
    EXPECT_TRUE(registry.deleteTree(RegistryRoot::ClassesRoot, verb));
    EXPECT_FALSE(registry.keyExists(RegistryRoot::ClassesRoot, verb));
}

} // namespace
} // namespace dustbane::testing
