// Dustbane-Setup.exe, run silently as an administrator's deployment script would: where it
// puts the program, what it registers, and what its uninstaller takes away and keeps.

#include "driver/driver.h"
#include "platform/win32/text.h"

#include <gtest/gtest.h>
#include <shlobj.h>
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

std::string knownFolder(int csidl) {
    wchar_t path[MAX_PATH];
    if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) {
        throw std::runtime_error("no special folder " + std::to_string(csidl));
    }
    return win32::narrow(path) + "\\";
}

// The installer is staged beside this test program.
std::string setupProgram() {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::string path = win32::narrow(self);
    return path.substr(0, path.rfind('\\') + 1) + "Dustbane-Setup.exe";
}

struct KernelHandleTraits {
    using Handle = HANDLE;
    static HANDLE invalid() { return nullptr; }
    static void close(HANDLE handle) { CloseHandle(handle); }
};
using UniqueKernelHandle = win32::UniqueHandle<KernelHandleTraits>;

// A started command line with every process it starts in turn: the uninstaller hands its
// work to a copy of itself outside the folder it removes and ends at once.
class ProcessTree {
  public:
    explicit ProcessTree(const std::string& commandLine)
        : commandLine_(commandLine), job_(CreateJobObjectW(nullptr, nullptr)) {
        if (!job_) {
            throw std::runtime_error("no job object");
        }
        std::wstring line = win32::widen(commandLine);
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info{};
        if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED,
                            nullptr, nullptr, &startup, &info)) {
            throw std::runtime_error("cannot start " + commandLine);
        }
        process_.reset(info.hProcess);
        UniqueKernelHandle thread(info.hThread);
        AssignProcessToJobObject(job_.get(), process_.get());
        ResumeThread(thread.get());
    }

    ~ProcessTree() { TerminateJobObject(job_.get(), 1); }
    ProcessTree(const ProcessTree&) = delete;
    ProcessTree& operator=(const ProcessTree&) = delete;

    // The exit code of the first process, once all of them have ended.
    DWORD wait() const {
        WaitForSingleObject(process_.get(), 120000);
        DWORD exitCode = 1;
        GetExitCodeProcess(process_.get(), &exitCode);
        bool allEnded = waitUntil(
            [this] {
                JOBOBJECT_BASIC_ACCOUNTING_INFORMATION accounting{};
                QueryInformationJobObject(job_.get(), JobObjectBasicAccountingInformation,
                                          &accounting, sizeof accounting, nullptr);
                return accounting.ActiveProcesses == 0;
            },
            120s);
        if (!allEnded) {
            throw std::runtime_error(commandLine_ + " is still running");
        }
        return exitCode;
    }

  private:
    std::string commandLine_;
    UniqueKernelHandle job_;
    UniqueKernelHandle process_;
};

DWORD run(const std::string& commandLine) {
    return ProcessTree(commandLine).wait();
}

std::string quoted(const std::string& path) {
    return "\"" + path + "\"";
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

// As the program writes them, through the user's classes or, with administrator rights,
// the machine's.
void writeVerbs(HKEY root, const std::string& under, const std::string& folder) {
    for (const char* verb : verbKeys) {
        RegKey(root, under + verb + "\\command").writeString("", folder + "Dustbane.exe %1");
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
    const std::string folder = knownFolder(CSIDL_LOCAL_APPDATA) + "Programs\\Dustbane\\";
    const std::string shortcut = knownFolder(CSIDL_PROGRAMS) + "Dustbane.lnk";
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
    const std::string folder = knownFolder(CSIDL_PROGRAM_FILES) + "Dustbane\\";
    const std::string shortcut = knownFolder(CSIDL_COMMON_PROGRAMS) + "Dustbane.lnk";

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
    const std::string userLogFolder = knownFolder(CSIDL_LOCAL_APPDATA) + "Dustbane\\";
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
    EXPECT_FALSE(activeSetup.exists());
    EXPECT_FALSE(directoryExists(userLogFolder)) << "the user's log goes too";
    EXPECT_TRUE(settings.exists());
    EXPECT_FALSE(settings.hasValue("Installdir"));
}

TEST_F(Installer, ChosenFolderGetsItsBackslashAndKeepsForeignFilesOnUninstall) {
    const std::string folder = scratch() + "My Tools\\";
    writeFile(folder + "notes.txt", "mine");
    writeFile(folder + "lang\\readme.txt", "mine too");
    // Another installation's folder is not this one's to forget.
    const std::string other = "C:\\Other\\";

    ASSERT_EQ(run(quoted(setupProgram()) + " /S /D=" + folder.substr(0, folder.size() - 1)), 0u);
    expectInstalledIn(folder);
    EXPECT_EQ(settings.readString("Installdir"), folder);

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
    const std::string folder = knownFolder(CSIDL_LOCAL_APPDATA) + "Programs\\Dustbane\\";
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

} // namespace
} // namespace dustbane::e2e
