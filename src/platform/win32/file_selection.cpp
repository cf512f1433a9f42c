#include "platform/win32/file_selection.h"

#include "platform/win32/text.h"

namespace dustbane::win32 {

std::vector<std::string> selectedFiles(const wchar_t* buffer) {
    std::vector<std::wstring> parts;
    for (const wchar_t* part = buffer; *part != L'\0'; part += parts.back().size() + 1) {
        parts.emplace_back(part);
    }
    if (parts.size() < 2) {
        return parts.empty() ? std::vector<std::string>() : std::vector{narrow(parts.front())};
    }
    std::wstring folder = parts.front();
    if (folder.back() != L'\\') {
        folder.push_back(L'\\');
    }
    std::vector<std::string> paths;
    for (size_t i = 1; i < parts.size(); ++i) {
        paths.push_back(narrow(folder + parts[i]));
    }
    return paths;
}

} // namespace dustbane::win32
