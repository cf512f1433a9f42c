#include "platform/win32/api_path.h"

#include "platform/win32/text.h"

#include <string_view>
#include <windows.h>

// Every absolute path gets the prefix, not only long ones. That lifts the 260-character
// limit, and it also reaches names that plain paths cannot: a name ending in a dot or a
// space, or a device name such as "nul.txt", which other programs do leave behind and which
// the cleaner must be able to delete. One path form for all lengths also means the short
// paths exercise the same code as the long ones.

namespace dustbane::win32 {

namespace {

const std::wstring verbatimPrefix = L"\\\\?\\";
const std::wstring devicePrefix = L"\\\\.\\";

bool startsWith(const std::wstring& text, const std::wstring& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

bool isDrivePath(const std::wstring& path) {
    return path.size() >= 3 && path[1] == L':' && path[2] == L'\\' &&
           ((path[0] >= L'A' && path[0] <= L'Z') || (path[0] >= L'a' && path[0] <= L'z'));
}

bool isUncPath(const std::wstring& path) {
    return path.size() > 2 && path[0] == L'\\' && path[1] == L'\\';
}

bool hasDotComponent(const std::wstring& path) {
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find(L'\\', start);
        if (end == std::wstring::npos) {
            end = path.size();
        }
        std::wstring_view component(path.data() + start, end - start);
        if (component == L"." || component == L"..") {
            return true;
        }
        start = end + 1;
    }
    return false;
}

std::wstring fullPath(const std::wstring& path) {
    DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (size == 0) {
        return {};
    }
    std::wstring full(size, L'\0');
    DWORD length = GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
    if (length == 0 || length >= size) {
        return {};
    }
    full.resize(length);
    return full;
}

// Repeated separators collapse to one (after the two that open a UNC path); trailing ones go,
// except the one that makes "C:\" or "\\server\share\" a root.
std::wstring tidySeparators(const std::wstring& path, bool unc) {
    std::wstring tidy = unc ? L"\\\\" : L"";
    for (size_t i = tidy.size(); i < path.size(); ++i) {
        if (path[i] != L'\\' || tidy.empty() || tidy.back() != L'\\') {
            tidy.push_back(path[i]);
        }
    }
    while (tidy.size() > 2 && tidy.back() == L'\\') {
        tidy.pop_back();
    }
    bool root =
        unc ? tidy.find(L'\\', tidy.find(L'\\', 2) + 1) == std::wstring::npos : tidy.size() == 2;
    if (root) {
        tidy.push_back(L'\\');
    }
    return tidy;
}

} // namespace

std::wstring apiPath(const std::string& path) {
    std::wstring wide = widen(path);
    if (startsWith(wide, verbatimPrefix) || startsWith(wide, devicePrefix)) {
        return wide;
    }
    for (wchar_t& c : wide) {
        if (c == L'/') {
            c = L'\\';
        }
    }
    // A bare drive is its root here, as the listing treats it: the current folder of a drive
    // that is not the current one comes from the environment and may no longer exist.
    if (wide.size() == 2 && isDrivePath(wide + L'\\')) {
        wide.push_back(L'\\');
    }
    if (!(isDrivePath(wide) || isUncPath(wide)) || hasDotComponent(wide)) {
        wide = fullPath(wide);
    }
    if (isDrivePath(wide)) {
        return verbatimPrefix + tidySeparators(wide, false);
    }
    if (isUncPath(wide) && !startsWith(wide, verbatimPrefix) && !startsWith(wide, devicePrefix)) {
        return verbatimPrefix + L"UNC" + tidySeparators(wide, true).substr(1);
    }
    return wide;
}

} // namespace dustbane::win32
