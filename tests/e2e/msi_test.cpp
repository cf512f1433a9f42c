// Dustbane.msi, deployed as Intune or Group Policy software installation deploy it: a silent
// installation for every user of the machine, the installed program started from anywhere, a
// higher version replacing it in place, and a silent removal that leaves nothing of it but
// what each user saved.

#include "driver/console_run.h"
#include "driver/driver.h"
#include "driver/process_tree.h"
#include "platform/win32/text.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <msi.h>
#include <shlobj.h>

namespace dustbane::e2e {
namespace {

std::string package(const std::string& name) {
    return testsFolder() + name;
}

// The command lines README.md gives administrators, run as they run them.
DWORD installSilently(const std::string& msi) {
    return run("msiexec /i " + quoted(package(msi)) + " /qn");
}
DWORD uninstallSilently(const std::string& packageOrProductCode) {
    return run("msiexec /x " + packageOrProductCode + " /qn");
}

// Every file below the folder by its path below it, with its bytes.
std::map<std::string, std::string> filesBelow(const std::string& folder) {
    std::map<std::string, std::string> files;
    const std::filesystem::path root = win32::widen(folder);
    std::error_code error;
    for (auto it = std::filesystem::recursive_directory_iterator(root, error);
         it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
        if (it->is_regular_file()) {
            const std::string path = win32::narrow(it->path().wstring());
            files[path.substr(folder.size())] = readFile(path).value_or("");
        }
    }
    return files;
}

// The installed products of Dustbane's UpgradeCode, each ProductCode with its version.
std::map<std::string, std::string> installedProducts() {
    std::map<std::string, std::string> products;
    const std::wstring upgradeCode = win32::widen(DUSTBANE_UPGRADE_CODE);
    wchar_t product[39];
    for (DWORD index = 0;
         MsiEnumRelatedProductsW(upgradeCode.c_str(), 0, index, product) == ERROR_SUCCESS;
         ++index) {
        wchar_t version[64] = {};
        DWORD size = 64;
        MsiGetProductInfoW(product, INSTALLPROPERTY_VERSIONSTRING, version, &size);
        products[win32::narrow(product)] = win32::narrow(version);
    }
    return products;
}

class MsiPackage : public Scenario {
  protected:
    void SetUp() override {
        Scenario::SetUp();
        for (const char* msi : {"Dustbane.msi", "Dustbane-next.msi"}) {
            ASSERT_TRUE(fileExists(package(msi))) << package(msi) << " was not built";
        }
    }

    // Exactly the files the build puts beside Dustbane.exe, which the setup program installs
    // too, and the folder for every user in the machine's key.
    void expectInstalled(const std::string& version) {
        EXPECT_EQ(filesBelow(folder), filesBelow(installDir()));
        EXPECT_EQ(machineKey.readString("Installdir"), folder);
        EXPECT_EQ(machineKey.valueType("Installdir"), REG_SZ);
        const auto products = installedProducts();
        ASSERT_EQ(products.size(), 1u);
        EXPECT_EQ(products.begin()->second, version);
    }

    void expectNothingLeft() {
        EXPECT_FALSE(directoryExists(folder));
        EXPECT_FALSE(machineKey.exists());
        EXPECT_TRUE(installedProducts().empty());
    }

    const std::string folder = specialFolder(CSIDL_PROGRAM_FILES) + "Dustbane\\";
    const RegKey machineKey{HKEY_LOCAL_MACHINE, "Software\\Quillfen\\Cleaner"};
};

TEST_F(MsiPackage, SilentInstallServesTheMachineAndRemovalKeepsWhatTheUserSaved) {
    settings.writeString("Ext", "tmp;bak");

    ASSERT_EQ(installSilently("Dustbane.msi"), 0u);
    expectInstalled(DUSTBANE_VERSION);
    EXPECT_FALSE(settings.hasValue("Installdir")) << "the machine's key serves every user";

    // As Intune's uninstall command names it: by ProductCode.
    const auto products = installedProducts();
    ASSERT_EQ(products.size(), 1u);
    ASSERT_EQ(uninstallSilently(products.begin()->first), 0u);

    expectNothingLeft();
    EXPECT_EQ(settings.readString("Ext"), "tmp;bak") << "a machine removal leaves users' settings";
}

// A scheduled task starts in System32: the program takes its folder from the machine's key,
// so it finds its languages and keeps its log where a program in Program Files keeps it.
TEST_F(MsiPackage, InstalledProgramStartedInSystem32FindsItsFolder_de_DE) {
    ASSERT_EQ(systemLanguage(), 0x0407) << "this scenario needs LC_ALL=de_DE.UTF-8";
    ASSERT_EQ(installSilently("Dustbane.msi"), 0u);
    const std::string system32 = specialFolder(CSIDL_SYSTEM);
    const std::string junk = scratch() + "junk";
    writeFile(junk + "\\a.tmp", "1234");
    turnOffFixedLocations();
    settings.writeInt("Pathnum", 0);
    settings.writeInt("Foldernum", 1);
    settings.writeString("Foldera0", junk);
    settings.writeInt("Logs", 1);
    const ConsoleStart fromSystem32{folder, system32};

    const ConsoleRun preview = runConsole({"/preview"}, 60s, fromSystem32);
    ASSERT_EQ(preview.exitCode, 0u);
    EXPECT_TRUE(fileExists(junk + "\\a.tmp"));
    const ConsoleRun clean = runConsole({"/clean"}, 60s, fromSystem32);
    ASSERT_EQ(clean.exitCode, 0u);
    EXPECT_FALSE(fileExists(junk + "\\a.tmp"));
    EXPECT_TRUE(fileExists(specialFolder(CSIDL_LOCAL_APPDATA) + "Dustbane\\logs.log"))
        << "a program in Program Files keeps its log with the user";
    EXPECT_FALSE(fileExists(system32 + "logs.log")) << "the current directory is not its folder";

    const auto german = splitLines(fromAnsi(readFile(folder + "lang\\de.ini").value_or("")));
    ASSERT_GE(german.size(), 2u);
    ASSERT_NE(german[1], "Clean") << "lang\\de.ini does not translate the Clean button";
    auto app = App::launch({.workingDirectory = system32, .folder = folder});
    HWND window = app.waitForMainWindow();
    ASSERT_TRUE(window) << "no main window";
    const auto buttons = childWindows(window, "Button");
    ASSERT_FALSE(buttons.empty());
    EXPECT_EQ(windowText(buttons[0]), german[1]) << "the Clean button, from lang\\de.ini";
    EXPECT_EQ(app.close(), 0u);
}

TEST_F(MsiPackage, HigherVersionReplacesTheInstalledOneInPlace) {
    ASSERT_EQ(installSilently("Dustbane.msi"), 0u);
    const auto first = installedProducts();
    // Changed since, so that only a replacement makes it the shipped file again.
    writeFile(folder + "help.htm", "changed");

    ASSERT_EQ(installSilently("Dustbane-next.msi"), 0u);
    expectInstalled(DUSTBANE_NEXT_VERSION);
    EXPECT_NE(installedProducts(), first);

    EXPECT_NE(installSilently("Dustbane.msi"), 0u) << "an older version replaces no newer one";
    expectInstalled(DUSTBANE_NEXT_VERSION);

    ASSERT_EQ(uninstallSilently(quoted(package("Dustbane-next.msi"))), 0u);
    expectNothingLeft();
}

} // namespace
} // namespace dustbane::e2e
