// Dustbane-Setup.exe, run silently as an administrator's deployment script would: where it
// puts the program, what it registers, and what its uninstaller takes away and keeps.

#include "driver/driver.h"
#include "driver/process_tree.h"
#include "driver/remote_buffer.h"
#include "platform/win32/text.h"

#include <array>
#include <commctrl.h>
#include <gtest/gtest.h>
#include <shlobj.h>
#include <sstream>
#include <stdexcept>

namespace dustbane::e2e {
namespace {

const char* const uninstallPath =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Dustbane";
const char* const activeSetupPath =
    "Software\\Microsoft\\Active Setup\\Installed Components\\Dustbane";
const char* const userClasses = "Software\\Classes\\";
const char* const verbKeys[] = {"Drive\\shell\\Run Dustbane", "Folder\\shell\\Run Dustbane"};
const char* const shippedFiles[] = {
    "Dustbane.exe", "help.htm",     "end.wav",      "lang\\de.ini",
    "lang\\fr.ini", "lang\\cn.ini", "lang\\ct.ini", "Uninstall.exe",
};
// The list of what the installer wrote, which its uninstaller reads.
const char* const installedList = "Uninstall.ini";
// The exit code of a silent installation into a folder that holds other files.
constexpr DWORD errorDirNotEmpty = 145;

// The installer is staged beside this test program.
std::string setupProgram() {
    return testsFolder() + "Dustbane-Setup.exe";
}

// The uninstaller's window and its question both have captions that start with this; only
// the question has a message box's text.
constexpr const char* uninstallCaption = "Dustbane Uninstall";

HWND waitForUninstallWindow(bool question) {
    HWND found = nullptr;
    waitUntil([&found, question] {
        for (HWND window : topLevelWindows(0, "#32770")) {
            bool isQuestion = messageBoxText(window).find("settings") != std::string::npos;
            if (windowText(window).starts_with(uninstallCaption) && isQuestion == question) {
                found = window;
                return true;
            }
        }
        return false;
    });
    return found;
}

void uninstallAnswering(const std::string& folder, int answer) {
    ProcessTree uninstaller(quoted(folder + "Uninstall.exe"));
    HWND window = waitForUninstallWindow(false);
    ASSERT_TRUE(window) << "no uninstaller window";
    clickButton(GetDlgItem(window, IDOK)); // "Uninstall" on the confirmation page
    HWND question = waitForUninstallWindow(true);
    ASSERT_TRUE(question) << "no question about the settings";
    EXPECT_NE(GetWindowLongW(GetDlgItem(question, IDNO), GWL_STYLE) & BS_DEFPUSHBUTTON, 0)
        << "keeping the settings is the default";
    clickButton(GetDlgItem(question, answer));
    EXPECT_EQ(uninstaller.wait(), 0u);
}

void expectInstalledIn(const std::string& folder) {
    for (const char* file : shippedFiles) {
        EXPECT_TRUE(fileExists(folder + file)) << folder + file;
    }
}

void expectNothingInstalledIn(const std::string& folder) {
    for (const char* file : {"Dustbane.exe", "end.wav", "lang\\de.ini", installedList}) {
        EXPECT_FALSE(fileExists(folder + file)) << folder + file;
    }
}

std::string silentInstallInto(const std::string& folder) {
    return quoted(setupProgram()) + " /S /D=" + folder.substr(0, folder.size() - 1);
}

// Active Setup's "a,b,c,d", compared part by part as numbers.
std::array<int, 4> versionParts(const std::string& version) {
    std::array<int, 4> parts{};
    std::istringstream in(version);
    std::string part;
    for (int& number : parts) {
        if (!std::getline(in, part, ',')) {
            throw std::runtime_error("not an Active Setup version: " + version);
        }
        number = std::stoi(part);
    }
    return parts;
}

// The installer's wizard and its message boxes share this caption; only the wizard has the
// frame its pages sit in.
constexpr const char* setupCaption = "Dustbane Setup";
constexpr int pageFrameId = 1018;
// The directory page's folder field and Browse button.
constexpr int folderFieldId = 1019;
constexpr int browseButtonId = 1001;

HWND descendantWithId(HWND parent, int id) {
    struct Search {
        int id;
        HWND found;
    } search{id, nullptr};
    EnumChildWindows(
        parent,
        [](HWND window, LPARAM context) -> BOOL {
            auto* wanted = reinterpret_cast<Search*>(context);
            if (GetDlgCtrlID(window) == wanted->id) {
                wanted->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The text of the item selected in a tree view of another process.
std::string selectedTreeItem(HWND tree) {
    auto item = reinterpret_cast<HTREEITEM>(sendMessage(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
    if (!item) {
        return {};
    }
    constexpr size_t capacity = MAX_PATH;
    RemoteBuffer buffer(processOf(tree), sizeof(TVITEMW) + capacity * sizeof(wchar_t));
    TVITEMW query{};
    query.mask = TVIF_TEXT;
    query.hItem = item;
    query.pszText =
        reinterpret_cast<wchar_t*>(static_cast<char*>(buffer.address()) + sizeof(TVITEMW));
    query.cchTextMax = static_cast<int>(capacity);
    buffer.write(&query, sizeof query);
    sendMessage(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(buffer.address()));
    std::wstring text(capacity, L'\0');
    buffer.read(text.data(), text.size() * sizeof(wchar_t), sizeof(TVITEMW));
    text.resize(wcsnlen(text.c_str(), capacity));
    return win32::narrow(text);
}

HWND findSetupWindow(bool wizard) {
    for (HWND window : topLevelWindows(0, "#32770", setupCaption)) {
        if ((GetDlgItem(window, pageFrameId) != nullptr) == wizard) {
            return window;
        }
    }
    return nullptr;
}

HWND waitForSetupWindow(bool wizard) {
    HWND found = nullptr;
    waitUntil([&found, wizard] { return (found = findSetupWindow(wizard)) != nullptr; });
    return found;
}

// The installer run as a user runs it, from its first page to its directory page.
class SetupWizard {
  public:
    SetupWizard() : process_(quoted(setupProgram())) {
        wizard_ = waitForSetupWindow(true);
        if (!wizard_) {
            throw std::runtime_error("no setup window");
        }
        next(); // past the choice of users, "only me" as it stands
        if (!waitUntil([this] { return onDirectoryPage(); })) {
            throw std::runtime_error("no directory page");
        }
    }

    bool onDirectoryPage() const {
        HWND field = descendantWithId(wizard_, folderFieldId);
        return field && isVisible(field);
    }
    std::string folder() const { return windowText(descendantWithId(wizard_, folderFieldId)); }
    void typeFolder(const std::string& folder) const {
        std::wstring text = win32::widen(folder);
        sendMessage(descendantWithId(wizard_, folderFieldId), WM_SETTEXT, 0,
                    reinterpret_cast<LPARAM>(text.c_str()));
    }
    void next() const { clickButton(GetDlgItem(wizard_, IDOK)); }

    // Browse, and OK in the folder picker once it has selected the folder typed in. Wine's
    // picker, the first time or two after folders changed, opens elsewhere than it is asked
    // to; it is then closed and opened again.
    void browse() const {
        const std::string typed = folder();
        const std::string name = typed.substr(typed.rfind('\\') + 1);
        for (int attempt = 0; attempt < 5; ++attempt) {
            clickButton(descendantWithId(wizard_, browseButtonId));
            HWND picker = nullptr;
            HWND tree = nullptr;
            bool shown = waitUntil([&picker, &tree] {
                for (HWND window : topLevelWindows(0, "#32770")) {
                    if ((tree = findChild(window, "SysTreeView32")) != nullptr) {
                        picker = window;
                        return true;
                    }
                }
                return false;
            });
            if (!shown) {
                throw std::runtime_error("no folder picker");
            }
            bool selected = waitUntil([tree, &name] { return selectedTreeItem(tree) == name; }, 5s);
            clickButton(GetDlgItem(picker, selected ? IDOK : IDCANCEL));
            waitUntil([picker] { return !IsWindow(picker); });
            if (selected) {
                return;
            }
        }
        throw std::runtime_error("the folder picker never selected " + typed);
    }

    // Answers the message box the last step showed with this button; returns its text.
    std::string answer(int button) const {
        HWND box = waitForSetupWindow(false);
        if (!box) {
            throw std::runtime_error("no message box");
        }
        std::string text = messageBoxText(box);
        clickButton(GetDlgItem(box, button));
        waitUntil([box] { return !IsWindow(box); });
        return text;
    }

    // Waits for the installation to end and closes the wizard from its last page.
    DWORD finish() const {
        bool done = waitUntil(
            [this] {
                return windowText(GetDlgItem(wizard_, IDOK)).find("Finish") != std::string::npos;
            },
            60s);
        if (!done) {
            throw std::runtime_error("the installation did not end");
        }
        next();
        return process_.wait();
    }

  private:
    ProcessTree process_;
    HWND wizard_ = nullptr;
};

// The command of the program's Explorer verbs for an installation in this folder.
std::string verbCommand(const std::string& folder) {
    return "\"" + folder + "Dustbane.exe\" \"%1\"";
}

// As the program writes them, through the user's classes or, with administrator rights,
// the machine's.
void writeVerbs(HKEY root, const std::string& under, const std::string& folder) {
    for (const char* verb : verbKeys) {
        RegKey(root, under + verb + "\\command").writeString("", verbCommand(folder));
    }
}

class Installer : public Scenario {
  protected:
    void SetUp() override {
        Scenario::SetUp();
        ASSERT_TRUE(fileExists(setupProgram())) << setupProgram() << " was not built";
    }

    RegKey userEntry{HKEY_CURRENT_USER, uninstallPath};
    RegKey machineEntry{HKEY_LOCAL_MACHINE, uninstallPath};
    RegKey activeSetup{HKEY_LOCAL_MACHINE, activeSetupPath};
};

TEST_F(Installer, SilentInstallIsPerUserAndItsUninstallKeepsOnlyTheSettings) {
    const std::string folder = specialFolder(CSIDL_LOCAL_APPDATA) + "Programs\\Dustbane\\";
    const std::string shortcut = specialFolder(CSIDL_PROGRAMS) + "Dustbane.lnk";
    settings.writeInt("Logs", 1);

    ASSERT_EQ(run(quoted(setupProgram()) + " /S"), 0u);

    expectInstalledIn(folder);
    EXPECT_EQ(settings.readString("Installdir"), folder);
    EXPECT_EQ(settings.valueType("Installdir"), REG_SZ);
    EXPECT_EQ(settings.readInt("AllUsers"), 0);
    EXPECT_EQ(settings.readInt("Logs"), 1) << "settings already there stay";
    EXPECT_TRUE(fileExists(shortcut));
    EXPECT_EQ(userEntry.readString("DisplayName"), "Dustbane");
    EXPECT_EQ(userEntry.readString("InstallLocation"), folder.substr(0, folder.size() - 1));
    const auto quiet = userEntry.readString("QuietUninstallString");
    ASSERT_TRUE(quiet);
    EXPECT_EQ(quiet->find(quoted(folder + "Uninstall.exe")), 0u) << *quiet;
    EXPECT_FALSE(machineEntry.exists()) << "no administrator rights used";
    EXPECT_FALSE(activeSetup.exists()) << "nobody else needs the folder";

    // What the program adds while it runs: its log and its Explorer verbs.
    writeFile(folder + "logs.log", "\r\n07.12.2026\r\n");
    writeVerbs(HKEY_CURRENT_USER, userClasses, folder);
    writeVerbs(HKEY_CLASSES_ROOT, "", folder);
    settings.writeString("Ext", "tmp;bak");

    ASSERT_EQ(run(*quiet), 0u);

    EXPECT_FALSE(directoryExists(folder));
    EXPECT_FALSE(fileExists(shortcut));
    EXPECT_FALSE(userEntry.exists());
    for (const char* verb : verbKeys) {
        EXPECT_FALSE(RegKey(HKEY_CURRENT_USER, userClasses + std::string(verb)).exists()) << verb;
        EXPECT_FALSE(RegKey(HKEY_CLASSES_ROOT, verb).exists()) << verb;
    }
    ASSERT_TRUE(settings.exists()) << "a silent uninstall keeps the settings";
    EXPECT_EQ(settings.readString("Ext"), "tmp;bak");
    EXPECT_EQ(settings.readInt("Logs"), 1);
    EXPECT_FALSE(settings.hasValue("Installdir")) << "no longer points at a removed folder";
    EXPECT_FALSE(settings.hasValue("AllUsers"));
}

TEST_F(Installer, AllUsersInstallGoesToProgramFilesAndRegistersForTheMachine) {
    const std::string folder = specialFolder(CSIDL_PROGRAM_FILES) + "Dustbane\\";
    const std::string shortcut = specialFolder(CSIDL_COMMON_PROGRAMS) + "Dustbane.lnk";

    ASSERT_EQ(run(quoted(setupProgram()) + " /S /ALLUSERS"), 0u);

    expectInstalledIn(folder);
    EXPECT_EQ(settings.readString("Installdir"), folder);
    EXPECT_EQ(settings.readInt("AllUsers"), 1);
    EXPECT_TRUE(fileExists(shortcut));
    EXPECT_EQ(machineEntry.readString("DisplayName"), "Dustbane");
    EXPECT_FALSE(userEntry.exists());

    // Every other user gets the folder at their next logon, from what Active Setup runs.
    EXPECT_EQ(activeSetup.readString(""), "Dustbane");
    EXPECT_TRUE(activeSetup.hasValue("Version"));
    const auto stub = activeSetup.readString("StubPath");
    ASSERT_TRUE(stub);
    EXPECT_NE(stub->find(folder), std::string::npos) << *stub;
    settings.deleteTree();
    ASSERT_EQ(run(*stub), 0u) << *stub;
    EXPECT_EQ(settings.readString("Installdir"), folder);
    EXPECT_EQ(settings.valueType("Installdir"), REG_SZ);

    // A standard user cannot write in Program Files: the program logs in the user's folder,
    // which it creates.
    const std::string userLogFolder = specialFolder(CSIDL_LOCAL_APPDATA) + "Dustbane\\";
    ASSERT_FALSE(directoryExists(userLogFolder));
    settings.writeInt("Logs", 1);
    settings.writeInt("Pathnum", 0);
    run(quoted(folder + "Dustbane.exe") + " /clean");
    EXPECT_TRUE(fileExists(userLogFolder + "logs.log"));
    EXPECT_FALSE(fileExists(folder + "logs.log"));

    // Started as from the list of installed programs, without a switch of its own.
    ASSERT_EQ(run(quoted(folder + "Uninstall.exe") + " /S"), 0u);

    EXPECT_FALSE(directoryExists(folder));
    EXPECT_FALSE(fileExists(shortcut));
    EXPECT_FALSE(machineEntry.exists());
    EXPECT_NE(activeSetup.readString("StubPath"), stub) << "no user gets the folder any more";
    EXPECT_FALSE(directoryExists(userLogFolder)) << "the user's log goes too";
    EXPECT_TRUE(settings.exists());
    EXPECT_FALSE(settings.hasValue("Installdir"));
}

TEST_F(Installer, ChosenFolderGetsItsBackslashAndKeepsForeignFilesOnUninstall) {
    const std::string folder = scratch() + "My Tools\\";
    // Another installation's folder is not this one's to forget.
    const std::string other = "C:\\Other\\";

    ASSERT_EQ(run(silentInstallInto(folder)), 0u);
    expectInstalledIn(folder);
    EXPECT_EQ(settings.readString("Installdir"), folder);

    // The user keeps files of their own there afterwards.
    writeFile(folder + "notes.txt", "mine");
    writeFile(folder + "lang\\readme.txt", "mine too");
    settings.writeString("Installdir", other);
    ASSERT_EQ(run(quoted(folder + "Uninstall.exe") + " /S"), 0u);

    EXPECT_EQ(settings.readString("Installdir"), other);
    EXPECT_TRUE(fileExists(folder + "notes.txt"));
    EXPECT_TRUE(fileExists(folder + "lang\\readme.txt"));
    for (const char* file : shippedFiles) {
        EXPECT_FALSE(fileExists(folder + file)) << file;
    }
}

TEST_F(Installer, UninstallRemovesTheSettingsOnlyWhenTheUserSaysSo) {
    const std::string folder = specialFolder(CSIDL_LOCAL_APPDATA) + "Programs\\Dustbane\\";
    ASSERT_EQ(run(quoted(setupProgram()) + " /S"), 0u);
    settings.writeString("Ext", "tmp");

    uninstallAnswering(folder, IDNO);
    if (HasFatalFailure()) {
        return;
    }
    EXPECT_FALSE(directoryExists(folder));
    EXPECT_EQ(settings.readString("Ext"), "tmp");
    EXPECT_FALSE(settings.hasValue("Installdir"));

    ASSERT_EQ(run(quoted(setupProgram()) + " /S"), 0u);
    uninstallAnswering(folder, IDYES);
    if (HasFatalFailure()) {
        return;
    }
    EXPECT_FALSE(directoryExists(folder));
    EXPECT_FALSE(settings.exists());
    EXPECT_FALSE(RegKey(HKEY_CURRENT_USER, "Software\\Quillfen").exists())
        << "the maker's key held nothing else";
}

TEST_F(Installer, SilentInstallRefusesAFolderOfAnotherProgramAndWritesNothing) {
    const std::string shortcut = specialFolder(CSIDL_PROGRAMS) + "Dustbane.lnk";
    // A program that keeps files of Dustbane's names, and one whose names differ.
    const std::string tools = scratch() + "Tools\\";
    writeFile(tools + "help.htm", "their help");
    writeFile(tools + "Uninstall.exe", "their uninstaller");
    const std::string shared = scratch() + "Shared\\";
    writeFile(shared + "notes.txt", "theirs");

    for (const std::string& folder : {tools, shared}) {
        SCOPED_TRACE(folder);
        EXPECT_EQ(run(silentInstallInto(folder)), errorDirNotEmpty);
        expectNothingInstalledIn(folder);
    }
    EXPECT_EQ(readFile(tools + "help.htm"), "their help");
    EXPECT_EQ(readFile(tools + "Uninstall.exe"), "their uninstaller");
    EXPECT_EQ(readFile(shared + "notes.txt"), "theirs");
    EXPECT_FALSE(settings.hasValue("Installdir"));
    EXPECT_FALSE(userEntry.exists());
    EXPECT_FALSE(fileExists(shortcut));
}

TEST_F(Installer, InstallsAgainOverAnEarlierDustbaneButNeverOverAFileReplacedSince) {
    const std::string folder = scratch() + "Dustbane\\";
    ASSERT_EQ(run(silentInstallInto(folder)), 0u);
    // What the program and the user add do not make the folder another program's.
    writeFile(folder + "logs.log", "\r\n07.12.2026\r\n");
    writeFile(folder + "notes.txt", "mine");

    ASSERT_EQ(run(silentInstallInto(folder)), 0u);
    expectInstalledIn(folder);
    EXPECT_EQ(readFile(folder + "logs.log"), "\r\n07.12.2026\r\n");

    // Another program has since put its own help.htm there.
    writeFile(folder + "help.htm", "their help");
    EXPECT_EQ(run(silentInstallInto(folder)), errorDirNotEmpty);
    EXPECT_EQ(readFile(folder + "help.htm"), "their help");
}

TEST_F(Installer, UninstallRemovesOnlyTheFilesItInstalled) {
    const std::string folder = scratch() + "Tools\\";
    ASSERT_EQ(run(silentInstallInto(folder)), 0u);
    // Another program installed later into the same folder replaces help.htm with its own
    // and adds a language file.
    writeFile(folder + "help.htm", "their help");
    writeFile(folder + "lang\\es.ini", "theirs");

    ASSERT_EQ(run(quoted(folder + "Uninstall.exe") + " /S"), 0u);

    EXPECT_EQ(readFile(folder + "help.htm"), "their help");
    EXPECT_EQ(readFile(folder + "lang\\es.ini"), "theirs");
    for (const char* file : shippedFiles) {
        if (std::string(file) != "help.htm") {
            EXPECT_FALSE(fileExists(folder + file)) << file;
        }
    }
    EXPECT_FALSE(fileExists(folder + installedList));
}

TEST_F(Installer, AllUsersUninstallLeavesNoUserPointingAtTheRemovedFolder) {
    const std::string folder = specialFolder(CSIDL_PROGRAM_FILES) + "Dustbane\\";
    const std::string elsewhere = "C:\\Mine\\Dustbane\\";
    const auto expectVerbs = [&](bool present) {
        for (const char* verb : verbKeys) {
            EXPECT_EQ(RegKey(HKEY_CURRENT_USER, userClasses + std::string(verb)).exists(), present)
                << verb;
        }
    };

    ASSERT_EQ(run(quoted(setupProgram()) + " /S /ALLUSERS"), 0u);
    const auto installed = activeSetup.readString("Version");
    ASSERT_TRUE(installed);
    writeVerbs(HKEY_CURRENT_USER, userClasses, folder);
    settings.writeString("Ext", "tmp");

    ASSERT_EQ(run(quoted(folder + "Uninstall.exe") + " /S"), 0u);

    // The user who removed it at once.
    expectVerbs(false);
    EXPECT_FALSE(settings.hasValue("Installdir"));
    EXPECT_FALSE(settings.hasValue("AllUsers"));

    // Every other user at their next logon: a higher version than the one they ran.
    const auto removed = activeSetup.readString("Version");
    ASSERT_TRUE(removed);
    EXPECT_GT(versionParts(*removed), versionParts(*installed)) << *removed << " " << *installed;
    const auto stub = activeSetup.readString("StubPath");
    ASSERT_TRUE(stub);

    // A user the installation reached, who has since used the Explorer verb.
    settings.writeString("Installdir", folder);
    settings.writeInt("AllUsers", 1);
    writeVerbs(HKEY_CURRENT_USER, userClasses, folder);
    run(*stub);
    expectVerbs(false);
    EXPECT_FALSE(settings.hasValue("Installdir"));
    EXPECT_FALSE(settings.hasValue("AllUsers"));
    EXPECT_EQ(settings.readString("Ext"), "tmp") << "the settings are the user's";

    // A user with an installation of their own, which the verbs start.
    settings.writeString("Installdir", elsewhere);
    writeVerbs(HKEY_CURRENT_USER, userClasses, elsewhere);
    run(*stub);
    EXPECT_EQ(settings.readString("Installdir"), elsewhere);
    for (const char* verb : verbKeys) {
        RegKey command(HKEY_CURRENT_USER, userClasses + std::string(verb) + "\\command");
        EXPECT_EQ(command.readString(""), verbCommand(elsewhere)) << verb;
    }

    // A user whose folder is unknown: the verbs can only be the removed program's.
    settings.deleteValue("Installdir");
    writeVerbs(HKEY_CURRENT_USER, userClasses, folder);
    run(*stub);
    expectVerbs(false);

    // Installed again, it reaches the users the removal has cleaned up.
    ASSERT_EQ(run(quoted(setupProgram()) + " /S /ALLUSERS"), 0u);
    const auto again = activeSetup.readString("Version");
    ASSERT_TRUE(again);
    EXPECT_GT(versionParts(*again), versionParts(*removed)) << *again << " " << *removed;
}

// A picked folder that is itself named Dustbane gets no second one on Windows, where the
// folder picker tells the installer the folder's name. Wine's picker tells the whole path
// instead, so that case is not tried here.
TEST_F(Installer, BrowsingForAFolderInstallsIntoADustbaneFolderInsideIt) {
    const std::string tools = scratch() + "Tools";
    createDirectories(tools);

    SetupWizard setup;
    EXPECT_EQ(setup.folder(), specialFolder(CSIDL_LOCAL_APPDATA) + "Programs\\Dustbane")
        << "the default stays as it is";

    setup.typeFolder(tools);
    setup.browse();
    ASSERT_EQ(setup.folder(), tools + "\\Dustbane");

    setup.next();
    ASSERT_EQ(setup.finish(), 0u);
    expectInstalledIn(tools + "\\Dustbane\\");
    EXPECT_EQ(settings.readString("Installdir"), tools + "\\Dustbane\\");
}

TEST_F(Installer, DirectoryPageAsksBeforeSharingAFolderAndRefusesToOverwriteAnotherProgram) {
    const std::string tools = scratch() + "Tools\\";
    writeFile(tools + "help.htm", "their help");
    const std::string shared = scratch() + "Shared\\";
    writeFile(shared + "notes.txt", "theirs");

    SetupWizard setup;
    setup.typeFolder(tools);
    setup.next();
    EXPECT_NE(setup.answer(IDOK).find("help.htm"), std::string::npos) << "names the file";
    EXPECT_TRUE(setup.onDirectoryPage());

    setup.typeFolder(shared);
    setup.next();
    HWND question = waitForSetupWindow(false);
    ASSERT_TRUE(question);
    EXPECT_NE(GetWindowLongW(GetDlgItem(question, IDNO), GWL_STYLE) & BS_DEFPUSHBUTTON, 0)
        << "not sharing the folder is the default";
    setup.answer(IDNO);
    EXPECT_TRUE(setup.onDirectoryPage());
    expectNothingInstalledIn(tools);
    expectNothingInstalledIn(shared);

    setup.next();
    setup.answer(IDYES);
    ASSERT_EQ(setup.finish(), 0u);
    expectInstalledIn(shared);
    EXPECT_EQ(readFile(shared + "notes.txt"), "theirs");
    EXPECT_EQ(readFile(tools + "help.htm"), "their help");
}

} // namespace
} // namespace dustbane::e2e
