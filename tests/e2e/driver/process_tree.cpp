#include "driver/process_tree.h"

#include "driver/wait.h"
#include "platform/win32/text.h"

#include <stdexcept>

namespace dustbane::e2e {

ProcessTree::ProcessTree(const std::string& commandLine)
    : commandLine_(commandLine), job_(CreateJobObjectW(nullptr, nullptr)) {
    if (!job_) {
        throw std::runtime_error("no job object");
    }
    std::wstring line = win32::widen(commandLine);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                        nullptr, &startup, &info)) {
        throw std::runtime_error("cannot start " + commandLine);
    }
    process_.reset(info.hProcess);
    UniqueKernelHandle thread(info.hThread);
    AssignProcessToJobObject(job_.get(), process_.get());
    ResumeThread(thread.get());
}

ProcessTree::~ProcessTree() {
    TerminateJobObject(job_.get(), 1);
}

DWORD ProcessTree::wait() const {
    WaitForSingleObject(process_.get(), 120000);
    DWORD exitCode = 1;
    GetExitCodeProcess(process_.get(), &exitCode);
    bool allEnded = waitUntil(
        [this] {
            JOBOBJECT_BASIC_ACCOUNTING_INFORMATION accounting{};
            QueryInformationJobObject(job_.get(), JobObjectBasicAccountingInformation, &accounting,
                                      sizeof accounting, nullptr);
            return accounting.ActiveProcesses == 0;
        },
        120s);
    if (!allEnded) {
        throw std::runtime_error(commandLine_ + " is still running");
    }
    return exitCode;
}

DWORD run(const std::string& commandLine) {
    return ProcessTree(commandLine).wait();
}

std::string quoted(const std::string& path) {
    return "\"" + path + "\"";
}

} // namespace dustbane::e2e
