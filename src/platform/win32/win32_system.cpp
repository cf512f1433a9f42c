#include "platform/win32/win32_system.h"

#include "platform/win32/file_times.h"
#include "platform/win32/handles.h"
#include "platform/win32/short_date.h"
#include "platform/win32/text.h"

#include <windows.h>
// mmsystem.h and tlhelp32.h rely on the types windows.h declares.
#include <mmsystem.h>
#include <tlhelp32.h>

namespace dustbane::win32 {

namespace {

std::wstring localeText(LCTYPE type) {
    wchar_t text[128];
    int length = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, type, text, ARRAYSIZE(text));
    return length > 0 ? std::wstring(text, static_cast<size_t>(length - 1)) : std::wstring();
}

DateNames localeDateNames() {
    DateNames names;
    for (LCTYPE month = 0; month < 12; ++month) {
        names.months.push_back(localeText(LOCALE_SMONTHNAME1 + month));
        names.abbreviatedMonths.push_back(localeText(LOCALE_SABBREVMONTHNAME1 + month));
    }
    for (LCTYPE day = 0; day < 7; ++day) {
        names.days.push_back(localeText(LOCALE_SDAYNAME1 + day));
        names.days.push_back(localeText(LOCALE_SABBREVDAYNAME1 + day));
    }
    return names;
}

DWORD currentSession() {
    DWORD session = 0;
    ProcessIdToSessionId(GetCurrentProcessId(), &session);
    return session;
}

bool sameNameIgnoringCase(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

} // namespace

uint16_t Win32System::systemDefaultLanguageId() const {
    return GetSystemDefaultLangID();
}

std::string Win32System::fromAnsi(const std::string& bytes) const {
    if (bytes.empty()) {
        return {};
    }
    int size = static_cast<int>(bytes.size());
    int length = MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, wide.data(), length);
    return narrow(wide);
}

std::string Win32System::toAnsi(const std::string& text) const {
    std::wstring wide = widen(text);
    if (wide.empty()) {
        return {};
    }
    int size = static_cast<int>(wide.size());
    int length = WideCharToMultiByte(CP_ACP, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), size, bytes.data(), length, nullptr, nullptr);
    return bytes;
}

int Win32System::compareStrings(const std::string& a, const std::string& b) const {
    int order = lstrcmpW(widen(a).c_str(), widen(b).c_str());
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

std::string Win32System::longTimeNow() const {
    wchar_t text[128];
    int length =
        GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, nullptr, nullptr, text, ARRAYSIZE(text));
    return length > 0 ? narrow(text) : std::string();
}

FileTime Win32System::fileTimeNow() const {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    return toFileTime(now);
}

std::string Win32System::shortDateToday() const {
    wchar_t text[128];
    int length = GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, text,
                                 ARRAYSIZE(text), nullptr);
    return length > 0 ? narrow(text) : std::string();
}

std::optional<int64_t> Win32System::parseShortDate(const std::string& text) const {
    std::wstring picture = localeText(LOCALE_SSHORTDATE);
    if (picture.empty()) {
        return std::nullopt;
    }
    return parseDatePicture(picture, widen(text), localeDateNames());
}

int64_t Win32System::todayDayNumber() const {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return civilDayNumber(now.wYear, now.wMonth, now.wDay);
}

NumberFormat Win32System::numberFormat() const {
    NumberFormat format;
    // An empty separator would run the digits together, so the default stands in for a
    // failed call.
    if (std::wstring decimal = localeText(LOCALE_SDECIMAL); !decimal.empty()) {
        format.decimal = narrow(decimal);
    }
    if (std::wstring thousands = localeText(LOCALE_STHOUSAND); !thousands.empty()) {
        format.thousands = narrow(thousands);
    }
    return format;
}

void Win32System::playEndSound() {
    PlaySoundA("end.wav", nullptr, 0);
}

void Win32System::setBusyCursor(bool busy) {
    SetCursor(LoadCursorW(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}

void Win32System::moveCursorBy(int dx, int dy) {
    POINT position;
    if (GetCursorPos(&position)) {
        SetCursorPos(position.x + dx, position.y + dy);
    }
}

bool Win32System::processRuns(const std::string& imageName) const {
    // The snapshot fails with INVALID_HANDLE_VALUE, as CreateFile does.
    const UniqueFile snapshot{CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0)};
    if (!snapshot) {
        return false;
    }
    const std::wstring wanted = widen(imageName);
    const DWORD session = currentSession();
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more;
         more = Process32NextW(snapshot.get(), &entry)) {
        DWORD processSession = 0;
        // A process of another session (another user's, or a service's) does not hold this
        // user's caches.
        if (sameNameIgnoringCase(entry.szExeFile, wanted) &&
            ProcessIdToSessionId(entry.th32ProcessID, &processSession) &&
            processSession == session) {
            return true;
        }
    }
    return false;
}

bool Win32System::runsElevated() const {
    UniqueKernelHandle token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.put())) {
        return false;
    }
    TOKEN_ELEVATION elevation{};
    DWORD size = 0;
    return GetTokenInformation(token.get(), TokenElevation, &elevation, sizeof(elevation), &size) &&
           elevation.TokenIsElevated != 0;
}

std::string Win32System::computerName() const {
    wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD length = ARRAYSIZE(name);
    return GetComputerNameW(name, &length) ? narrow(std::wstring(name, length)) : std::string();
}

std::string Win32System::userName() const {
    // A logon name has at most 256 characters (UNLEN), plus the terminating null.
    wchar_t name[257] = {};
    DWORD length = ARRAYSIZE(name);
    // The length given back counts the terminating null.
    return GetUserNameW(name, &length) && length > 0 ? narrow(std::wstring(name, length - 1))
                                                     : std::string();
}

} // namespace dustbane::win32
