#include "driver/verbatim_files.h"

#include "platform/win32/text.h"

#include <stdexcept>

namespace dustbane::e2e {

namespace {

// FNV-1a over the bytes, which is plenty to tell a changed file from an unchanged one.
uint64_t hashBytes(const std::string& bytes) {
    uint64_t hash = 0xcbf29ce484222325ULL;
    for (char c : bytes) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001b3ULL;
    }
    return hash;
}

std::string linkTarget(const std::string& path) {
    HANDLE link = CreateFileW(verbatimPath(path).c_str(), 0,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (link == INVALID_HANDLE_VALUE) {
        return {};
    }
    wchar_t target[1024] = {};
    const DWORD length = GetFinalPathNameByHandleW(link, target, 1024, 0);
    CloseHandle(link);
    return win32::narrow(std::wstring(target, length < 1024 ? length : 0));
}

void walk(const std::string& folder, FileStamp stamp, TreeSnapshot& seen) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileExW(verbatimPath(folder + "\\*").c_str(), FindExInfoBasic, &data,
                                   FindExSearchNameMatch, nullptr, 0);
    if (find == INVALID_HANDLE_VALUE) {
        return;
    }
    do {
        const std::string name = win32::narrow(data.cFileName);
        if (name == "." || name == "..") {
            continue;
        }
        const std::string path = folder + "\\" + name;
        SeenItem item;
        item.folder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        item.attributes = data.dwFileAttributes & ~DWORD{FILE_ATTRIBUTE_ARCHIVE};
        item.size = (uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
            item.stamp = hashBytes(linkTarget(path));
        } else if (item.folder) {
            walk(path, stamp, seen);
        } else if (stamp == FileStamp::Hashed) {
            item.stamp = hashBytes(readVerbatim(path).value_or(""));
        } else {
            item.stamp = (uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32) |
                         data.ftLastWriteTime.dwLowDateTime;
        }
        seen[path] = item;
    } while (FindNextFileW(find, &data));
    FindClose(find);
}

} // namespace

std::wstring verbatimPath(const std::string& path) {
    return L"\\\\?\\" + win32::widen(path);
}

void makeVerbatimFolders(const std::string& path) {
    for (size_t slash = path.find('\\', 3); slash != std::string::npos;
         slash = path.find('\\', slash + 1)) {
        CreateDirectoryW(verbatimPath(path.substr(0, slash)).c_str(), nullptr);
    }
    CreateDirectoryW(verbatimPath(path).c_str(), nullptr);
    const DWORD attributes = GetFileAttributesW(verbatimPath(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        throw std::runtime_error("cannot make the folder " + path);
    }
}

void makeVerbatimFile(const std::string& path, const std::string& bytes, DWORD attributes) {
    makeVerbatimFolders(path.substr(0, path.rfind('\\')));
    HANDLE file = CreateFileW(verbatimPath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        throw std::runtime_error("cannot make " + path + ": error " +
                                 std::to_string(GetLastError()));
    }
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    if (written != bytes.size()) {
        throw std::runtime_error("cannot fill " + path);
    }
    if (attributes != 0 && !SetFileAttributesW(verbatimPath(path).c_str(), attributes)) {
        throw std::runtime_error("cannot set the attributes of " + path);
    }
}

std::optional<std::string> readVerbatim(const std::string& path) {
    HANDLE file = CreateFileW(verbatimPath(path).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    std::string bytes;
    std::string buffer(1 << 20, '\0');
    DWORD read = 0;
    while (ReadFile(file, buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr) &&
           read > 0) {
        bytes.append(buffer.data(), read);
    }
    CloseHandle(file);
    return bytes;
}

bool verbatimExists(const std::string& path) {
    return GetFileAttributesW(verbatimPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

TreeSnapshot snapshotTree(const std::string& folder, FileStamp stamp) {
    TreeSnapshot seen;
    walk(!folder.empty() && folder.back() == '\\' ? folder.substr(0, folder.size() - 1) : folder,
         stamp, seen);
    return seen;
}

TreeSnapshot without(TreeSnapshot snapshot, const std::vector<std::string>& gone) {
    std::erase_if(snapshot, [&](const auto& item) {
        for (const std::string& path : gone) {
            if (item.first == path || item.first.starts_with(path + "\\")) {
                return true;
            }
        }
        return false;
    });
    return snapshot;
}

uint64_t bytesOf(const TreeSnapshot& snapshot, const std::string& path) {
    const auto item = snapshot.find(path);
    if (item == snapshot.end() || !item->second.folder) {
        return item == snapshot.end() ? 0 : item->second.size;
    }
    // What lies below starts with the backslash; a sibling such as "name 2" may sort between.
    const std::string below = path + "\\";
    uint64_t bytes = 0;
    for (auto entry = snapshot.lower_bound(below);
         entry != snapshot.end() && entry->first.starts_with(below); ++entry) {
        bytes += entry->second.folder ? 0 : entry->second.size;
    }
    return bytes;
}

std::vector<std::string> treeDifferences(const TreeSnapshot& expected, const TreeSnapshot& actual) {
    std::vector<std::string> differences;
    auto want = expected.begin();
    auto have = actual.begin();
    while (want != expected.end() || have != actual.end()) {
        if (have == actual.end() || (want != expected.end() && want->first < have->first)) {
            differences.push_back("gone: " + (want++)->first);
        } else if (want == expected.end() || have->first < want->first) {
            differences.push_back("added: " + (have++)->first);
        } else {
            if (!(want->second == have->second)) {
                differences.push_back("changed: " + want->first);
            }
            ++want;
            ++have;
        }
    }
    return differences;
}

} // namespace dustbane::e2e
