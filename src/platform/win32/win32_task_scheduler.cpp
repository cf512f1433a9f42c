#include "platform/win32/win32_task_scheduler.h"

#include "platform/win32/bstr.h"
#include "platform/win32/handles.h"
#include "platform/win32/process_setup.h"
#include "platform/win32/text.h"
#include "platform/win32/weekly_trigger.h"
#include "platform/win32/win32_error.h"

#include <cwchar>
#include <iterator>
#include <vector>
#include <windows.h>
// After <windows.h>, which they need.
#include <sddl.h>
#include <wrl/client.h>

namespace dustbane::win32 {

using Microsoft::WRL::ComPtr;

namespace {

// A failed call of the Task Scheduler, carried out of the steps to the one place that turns
// it into words.
struct Failure {
    HRESULT result;
};

void check(HRESULT result) {
    if (FAILED(result)) {
        throw Failure{result};
    }
}

bool isMissing(HRESULT result) {
    return result == HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND) ||
           result == HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND);
}

// A failed Win32 call, in the words of the thread's last error.
Failure lastError() {
    return Failure{HRESULT_FROM_WIN32(GetLastError())};
}

std::wstring currentUserSid() {
    UniqueKernelHandle token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.put())) {
        throw lastError();
    }
    DWORD size = 0;
    GetTokenInformation(token.get(), TokenUser, nullptr, 0, &size);
    std::vector<BYTE> buffer(size);
    if (size == 0 || !GetTokenInformation(token.get(), TokenUser, buffer.data(), size, &size)) {
        throw lastError();
    }
    wchar_t* text = nullptr;
    if (!ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, &text)) {
        throw lastError();
    }
    std::wstring sid(text);
    LocalFree(text);
    return sid;
}

std::wstring taskNameFor(const std::wstring& sid) {
    return L"Clean for " + sid;
}

std::wstring programPath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            throw lastError();
        }
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::wstring folderOf(const std::wstring& path) {
    return path.substr(0, path.find_last_of(L'\\'));
}

// The next time of day at the schedule's time, local time, as the Task Scheduler writes a
// start boundary: today while that time is still ahead, else tomorrow. A boundary already
// past would count as a missed start, which StartWhenAvailable runs at once.
std::wstring startBoundary(int32_t minutes) {
    SYSTEMTIME day{};
    GetLocalTime(&day);
    if (day.wHour * 60 + day.wMinute >= minutes) {
        constexpr ULONGLONG ticksPerDay = 24ULL * 60 * 60 * 10'000'000;
        FILETIME time{};
        SystemTimeToFileTime(&day, &time);
        ULARGE_INTEGER ticks{};
        ticks.LowPart = time.dwLowDateTime;
        ticks.HighPart = time.dwHighDateTime;
        ticks.QuadPart += ticksPerDay;
        time.dwLowDateTime = ticks.LowPart;
        time.dwHighDateTime = ticks.HighPart;
        FileTimeToSystemTime(&time, &day);
    }
    wchar_t text[32];
    std::swprintf(text, std::size(text), L"%04u-%02u-%02uT%02d:%02d:00", day.wYear, day.wMonth,
                  day.wDay, minutes / 60, minutes % 60);
    return text;
}

ComPtr<ITaskService> connectedService() {
    ComPtr<ITaskService> service;
    check(CoCreateInstance(CLSID_TaskScheduler, nullptr, CLSCTX_INPROC_SERVER,
                           IID_PPV_ARGS(&service)));
    const VARIANT none{};
    check(service->Connect(none, none, none, none));
    return service;
}

ComPtr<ITaskFolder> cleanFolder(ITaskService& service) {
    ComPtr<ITaskFolder> folder;
    const HRESULT opened = service.GetFolder(Bstr(cleanTaskFolder).get(), &folder);
    if (!isMissing(opened)) {
        check(opened);
        return folder;
    }
    ComPtr<ITaskFolder> root;
    check(service.GetFolder(Bstr(L"\\").get(), &root));
    const VARIANT defaultSecurity{};
    check(root->CreateFolder(Bstr(cleanTaskFolder).get(), defaultSecurity, &folder));
    return folder;
}

void setPrincipal(ITaskDefinition& task, const std::wstring& sid) {
    ComPtr<IPrincipal> principal;
    check(task.get_Principal(&principal));
    check(principal->put_UserId(Bstr(sid).get()));
    check(principal->put_LogonType(TASK_LOGON_INTERACTIVE_TOKEN));
    check(principal->put_RunLevel(TASK_RUNLEVEL_LUA));
}

// A clean missed while the computer was off runs when it is on again, on battery too.
void setConditions(ITaskDefinition& task) {
    ComPtr<ITaskSettings> settings;
    check(task.get_Settings(&settings));
    check(settings->put_StartWhenAvailable(VARIANT_TRUE));
    check(settings->put_DisallowStartIfOnBatteries(VARIANT_FALSE));
    check(settings->put_StopIfGoingOnBatteries(VARIANT_FALSE));
}

void addTrigger(ITaskDefinition& task, const CleanSchedule& schedule) {
    ComPtr<ITriggerCollection> triggers;
    check(task.get_Triggers(&triggers));
    const bool weekly = schedule.kind == ScheduleKind::Weekly;
    ComPtr<ITrigger> trigger;
    check(triggers->Create(weekly ? TASK_TRIGGER_WEEKLY : TASK_TRIGGER_DAILY, &trigger));
    check(trigger->put_StartBoundary(Bstr(startBoundary(schedule.minutes)).get()));
    if (weekly) {
        ComPtr<IWeeklyTrigger> week;
        check(trigger.As(&week));
        check(week->put_WeeksInterval(1));
        check(week->put_DaysOfWeek(static_cast<short>(1 << schedule.day)));
    } else {
        ComPtr<IDailyTrigger> day;
        check(trigger.As(&day));
        check(day->put_DaysInterval(1));
    }
}

void addAction(ITaskDefinition& task, const std::wstring& arguments) {
    ComPtr<IActionCollection> actions;
    check(task.get_Actions(&actions));
    ComPtr<IAction> action;
    check(actions->Create(TASK_ACTION_EXEC, &action));
    ComPtr<IExecAction> exec;
    check(action.As(&exec));
    const std::wstring program = programPath();
    check(exec->put_Path(Bstr(program).get()));
    check(exec->put_Arguments(Bstr(arguments).get()));
    // Started from its own folder, as from its shortcut, not from the system folder.
    check(exec->put_WorkingDirectory(Bstr(folderOf(program)).get()));
}

void registerTask(const CleanSchedule& schedule, const std::wstring& arguments) {
    const std::wstring sid = currentUserSid();
    ComPtr<ITaskService> service = connectedService();
    ComPtr<ITaskFolder> folder = cleanFolder(*service.Get());
    ComPtr<ITaskDefinition> task;
    check(service->NewTask(0, &task));
    setPrincipal(*task.Get(), sid);
    setConditions(*task.Get());
    addTrigger(*task.Get(), schedule);
    addAction(*task.Get(), arguments);
    const VARIANT none{};
    ComPtr<IRegisteredTask> registered;
    check(folder->RegisterTaskDefinition(Bstr(taskNameFor(sid)).get(), task.Get(),
                                         TASK_CREATE_OR_UPDATE, none, none,
                                         TASK_LOGON_INTERACTIVE_TOKEN, none, &registered));
}

// The Task Scheduler deletes only an empty folder, so other users' tasks keep it; a failure
// to remove it leaves an empty folder behind, which harms nothing.
void removeFolderIfEmpty(ITaskService& service) {
    ComPtr<ITaskFolder> root;
    if (SUCCEEDED(service.GetFolder(Bstr(L"\\").get(), &root))) {
        root->DeleteFolder(Bstr(cleanTaskFolder).get(), 0);
    }
}

void removeTask() {
    const std::wstring name = taskNameFor(currentUserSid());
    ComPtr<ITaskService> service = connectedService();
    ComPtr<ITaskFolder> folder;
    const HRESULT opened = service->GetFolder(Bstr(cleanTaskFolder).get(), &folder);
    if (isMissing(opened)) {
        return;
    }
    check(opened);
    const HRESULT deleted = folder->DeleteTask(Bstr(name).get(), 0);
    if (!isMissing(deleted)) {
        check(deleted);
    }
    removeFolderIfEmpty(*service.Get());
}

template <typename Work> std::string attempt(const Work& work) {
    const ComApartment com;
    try {
        work();
    } catch (const Failure& failure) {
        return resultText(failure.result);
    }
    return {};
}

} // namespace

std::wstring cleanTaskName() {
    try {
        return taskNameFor(currentUserSid());
    } catch (const Failure&) {
        return {};
    }
}

std::string Win32TaskScheduler::registerClean(const CleanSchedule& schedule,
                                              const std::string& arguments) {
    return attempt([&] { registerTask(schedule, widen(arguments)); });
}

std::string Win32TaskScheduler::removeClean() {
    return attempt(removeTask);
}

} // namespace dustbane::win32
