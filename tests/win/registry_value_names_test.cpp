#include "platform/win32/win32_registry.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <windows.h>

namespace dustbane::testing {
namespace {

TEST(Win32RegistryValueNames, ListsEveryValueOnceWithItsSpellingAndNoSubkeys) {
    const std::string base =
        "Software\\DustbaneTests\\ValueNames" + std::to_string(GetCurrentProcessId());
    const std::wstring wideBase(base.begin(), base.end());
    RegDeleteTreeW(HKEY_CURRENT_USER, wideBase.c_str());
    win32::Win32Registry registry;
    {
        auto key = registry.open(RegistryRoot::CurrentUser, base, true);
        ASSERT_NE(key, nullptr);
        EXPECT_TRUE(key->valueNames().empty());

        ASSERT_TRUE(key->writeInt("Pathnum", 2));
        ASSERT_TRUE(key->writeString("Patha0", "C:"));
        ASSERT_TRUE(key->writeString("PATHB2147483646", "D:"));
        ASSERT_TRUE(key->writeString("Päth日本", "non-ASCII name"));
        // A name of the greatest length the registry takes.
        ASSERT_TRUE(key->writeInt(std::string(16383, 'n'), 1));
        ASSERT_NE(registry.open(RegistryRoot::CurrentUser, base + "\\Subkey", true), nullptr);

        std::vector<std::string> names = key->valueNames();
        std::sort(names.begin(), names.end());
        EXPECT_EQ(names, (std::vector<std::string>{"PATHB2147483646", "Patha0", "Pathnum",
                                                   "Päth日本", std::string(16383, 'n')}));
    }
    RegDeleteTreeW(HKEY_CURRENT_USER, wideBase.c_str());
    RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\DustbaneTests");
}

} // namespace
} // namespace dustbane::testing
