#include "bench_tree.h"

#include "platform/win32/handles.h"
#include "platform/win32/text.h"

#include <cstdio>
#include <vector>

namespace dustbane::bench {

namespace {

using win32::widen;

constexpr int tmpFiles = 8;
constexpr int bakFiles = 5;
constexpr int logFiles = 5;

// The name of file i of a folder: the selected names first, then plain data files.
std::wstring fileName(int i) {
    wchar_t name[32];
    const wchar_t* pattern = L"f%02d.dat";
    if (i < tmpFiles) {
        pattern = L"f%02d.tmp";
    } else if (i < tmpFiles + bakFiles) {
        pattern = L"f%02d.bak";
    } else if (i < tmpFiles + bakFiles + logFiles) {
        pattern = L"f%02d.log";
    } else if (i == tmpFiles + bakFiles + logFiles) {
        pattern = L"~f%02d.doc";
    } else if (i == tmpFiles + bakFiles + logFiles + 1) {
        return L"Thumbs.db";
    }
    swprintf(name, 32, pattern, i);
    return name;
}

bool isDots(const wchar_t* name) {
    return name[0] == L'.' && (name[1] == 0 || (name[1] == L'.' && name[2] == 0));
}

void walk(const std::wstring& folder, TreeCounts& counts) {
    WIN32_FIND_DATAW data;
    win32::UniqueFind find(FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic, &data,
                                            FindExSearchNameMatch, nullptr,
                                            FIND_FIRST_EX_LARGE_FETCH));
    if (!find) {
        return;
    }
    do {
        if (isDots(data.cFileName)) {
            continue;
        }
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            ++counts.folders;
            walk(folder + L"\\" + data.cFileName, counts);
        } else {
            ++counts.files;
        }
    } while (FindNextFileW(find.get(), &data));
}

void removeBelow(const std::wstring& folder) {
    std::vector<std::wstring> subfolders;
    WIN32_FIND_DATAW data;
    {
        win32::UniqueFind find(FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic, &data,
                                                FindExSearchNameMatch, nullptr,
                                                FIND_FIRST_EX_LARGE_FETCH));
        if (!find) {
            return;
        }
        do {
            if (isDots(data.cFileName)) {
                continue;
            }
            const std::wstring full = folder + L"\\" + data.cFileName;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                subfolders.push_back(full);
            } else {
                DeleteFileW(full.c_str());
            }
        } while (FindNextFileW(find.get(), &data));
    }
    for (const auto& subfolder : subfolders) {
        removeBelow(subfolder);
        RemoveDirectoryW(subfolder.c_str());
    }
}

} // namespace

int matchingPerFolder() {
    return tmpFiles + bakFiles + logFiles + 2;
}

bool generateTree(const std::string& root, const TreeShape& shape) {
    const std::wstring base = widen(root);
    if (!CreateDirectoryW(base.c_str(), nullptr)) {
        return false;
    }
    for (int top = 0; top < shape.topFolders; ++top) {
        wchar_t topName[16];
        swprintf(topName, 16, L"\\t%02d", top);
        const std::wstring topFolder = base + topName;
        CreateDirectoryW(topFolder.c_str(), nullptr);
        for (int sub = 0; sub < shape.subfoldersEach; ++sub) {
            wchar_t subName[16];
            swprintf(subName, 16, L"\\s%02d\\", sub);
            const std::wstring folder = topFolder + subName;
            CreateDirectoryW(folder.c_str(), nullptr);
            for (int i = 0; i < shape.filesPerFolder; ++i) {
                win32::UniqueFile file(CreateFileW((folder + fileName(i)).c_str(), GENERIC_WRITE, 0,
                                                   nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                                                   nullptr));
                if (!file) {
                    return false;
                }
            }
        }
    }
    return true;
}

TreeCounts enumerateTree(const std::string& root) {
    TreeCounts counts;
    walk(widen(root), counts);
    return counts;
}

void removeTree(const std::string& root) {
    const std::wstring base = widen(root);
    removeBelow(base);
    RemoveDirectoryW(base.c_str());
}

} // namespace dustbane::bench
