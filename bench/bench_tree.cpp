#include "bench_tree.h"

#include "platform/win32/handles.h"
#include "platform/win32/text.h"

#include <cstdio>
#include <stdexcept>
#include <vector>

namespace dustbane::bench {

namespace {

using win32::widen;

constexpr int tmpFiles = 8;
constexpr int bakFiles = 5;
constexpr int logFiles = 5;

// The name of file i of a Mixed folder: the selected names first, then plain data files.
std::wstring mixedName(int i) {
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

std::wstring fileName(FileNames names, int i) {
    if (names == FileNames::Mixed) {
        return mixedName(i);
    }
    wchar_t name[32];
    swprintf(name, 32, L"f%05d.tmp", i);
    return name;
}

// The names mixedName gives the selected files, told apart as plainly as del's patterns do.
bool generatedSelects(const wchar_t* name) {
    if (name[0] == L'~' || wcscmp(name, L"Thumbs.db") == 0) {
        return true;
    }
    const wchar_t* dot = wcsrchr(name, L'.');
    return dot && (_wcsicmp(dot, L".tmp") == 0 || _wcsicmp(dot, L".bak") == 0 ||
                   _wcsicmp(dot, L".log") == 0);
}

bool isDots(const wchar_t* name) {
    return name[0] == L'.' && (name[1] == 0 || (name[1] == L'.' && name[2] == 0));
}

// Visits every file below folder with its full path, depth first, counting what it meets.
template <typename OnFile>
void walk(const std::wstring& folder, TreeCounts& counts, OnFile onFile) {
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
            walk(folder + L"\\" + data.cFileName, counts, onFile);
        } else {
            ++counts.files;
            onFile(folder, data.cFileName);
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
                win32::UniqueFile file(CreateFileW((folder + fileName(shape.names, i)).c_str(),
                                                   GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                                   FILE_ATTRIBUTE_NORMAL, nullptr));
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
    walk(widen(root), counts, [](const std::wstring&, const wchar_t*) {});
    return counts;
}

uint64_t deleteSelected(const std::string& root, Selection selection) {
    TreeCounts counts;
    uint64_t deleted = 0;
    walk(widen(root), counts, [&](const std::wstring& folder, const wchar_t* name) {
        if (selection == Selection::Everything || generatedSelects(name)) {
            deleted += DeleteFileW((folder + L"\\" + name).c_str()) ? 1 : 0;
        }
    });
    return deleted;
}

void removeTree(const std::string& root) {
    const std::wstring base = widen(root);
    removeBelow(base);
    RemoveDirectoryW(base.c_str());
}

void freshTree(const std::string& root, const TreeShape& shape) {
    removeTree(root);
    if (!generateTree(root, shape)) {
        throw std::runtime_error("could not generate the tree below " + root);
    }
    enumerateTree(root);
}

} // namespace dustbane::bench
