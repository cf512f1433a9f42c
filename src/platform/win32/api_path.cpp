#include "platform/win32/api_path.h"

#include "paths/canonical_path.h"
#include "platform/win32/text.h"

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

} // namespace

std::wstring apiPath(const std::string& path) {
    std::wstring wide = widen(path);
    if (startsWith(wide, verbatimPrefix) || startsWith(wide, devicePrefix)) {
        return wide;
    }
    // "." and ".." are resolved by their text, as everywhere else in Dustbane, and never by
    // GetFullPathNameW, which would also trim a trailing dot or space and so name another
    // item. Only a relative path takes the current folder from the system.
    std::optional<std::string> canonical = canonicalPath(path);
    if (!canonical) {
        const std::wstring full = fullPath(wide);
        canonical = full.empty() ? std::nullopt : canonicalPath(narrow(full));
    }
    if (!canonical) {
        return {};
    }
    std::wstring tidy = widen(*canonical);
    // A bare drive is its root here, as the listing treats it: the current folder of a drive
    // that is not the current one comes from the environment and may no longer exist.
    if (tidy.size() == 2) {
        tidy.push_back(L'\\');
    }
    const bool unc = startsWith(tidy, L"\\\\");
    const size_t rootLength = unc ? tidy.find(L'\\', tidy.find(L'\\', 2) + 1) + 1 : 3;
    if (tidy.size() > rootLength && tidy.back() == L'\\') {
        tidy.pop_back();
    }
    return unc ? verbatimPrefix + L"UNC" + tidy.substr(1) : verbatimPrefix + tidy;
}

} // namespace dustbane::win32
