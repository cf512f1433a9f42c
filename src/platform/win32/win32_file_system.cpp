#include "platform/win32/win32_file_system.h"

#include "platform/win32/api_path.h"
#include "platform/win32/file_times.h"
#include "platform/win32/handles.h"
#include "platform/win32/text.h"
#include "platform/win32/win32_error.h"

#include <algorithm>
#include <vector>
#include <windows.h>
#include <winioctl.h>

namespace dustbane::win32 {

namespace {

class Win32DirectoryListing : public DirectoryListing {
  public:
    Win32DirectoryListing(UniqueFind find, const WIN32_FIND_DATAW& first)
        : find_(std::move(find)), data_(first) {}

    bool next(DirectoryEntry& entry) override {
        if (!pending_ && !FindNextFileW(find_.get(), &data_)) {
            return false;
        }
        pending_ = false;
        entry.name = narrow(data_.cFileName);
        entry.attributes = data_.dwFileAttributes;
        entry.size = (static_cast<uint64_t>(data_.nFileSizeHigh) << 32) | data_.nFileSizeLow;
        entry.created = toFileTime(data_.ftCreationTime);
        entry.written = toFileTime(data_.ftLastWriteTime);
        return true;
    }

  private:
    UniqueFind find_;
    WIN32_FIND_DATAW data_;
    bool pending_ = true; // the entry FindFirstFileExW returned is not handed out yet
};

UniqueFile openFile(const std::wstring& path, DWORD access, DWORD disposition) {
    return UniqueFile(CreateFileW(path.c_str(), access,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  disposition, FILE_ATTRIBUTE_NORMAL, nullptr));
}

bool writeAll(HANDLE file, const std::string& bytes) {
    size_t written = 0;
    while (written < bytes.size()) {
        DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - written, 1u << 30));
        DWORD done = 0;
        if (!WriteFile(file, bytes.data() + written, chunk, &done, nullptr) || done == 0) {
            return false;
        }
        written += done;
    }
    return true;
}

// A fresh name beside the target, so that the final move stays on one volume.
UniqueFile createSibling(const std::wstring& target, std::wstring& siblingPath) {
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        siblingPath = target + L"." + std::to_wstring(GetCurrentProcessId()) + L"-" +
                      std::to_wstring(++counter) + L".new";
        UniqueFile file = openFile(siblingPath, GENERIC_WRITE, CREATE_NEW);
        if (file || GetLastError() != ERROR_FILE_EXISTS) {
            return file;
        }
    }
    return UniqueFile();
}

std::string failure(const std::string& action, const std::string& path, DWORD code) {
    return action + " " + path + ": " + errorText(code);
}

} // namespace

std::unique_ptr<DirectoryListing> Win32FileSystem::list(const std::string& folder) {
    if (folder.empty()) {
        return nullptr;
    }
    // The separator goes on first, so that "C:" lists the root of C:, not its current folder.
    const char last = folder.back();
    std::wstring pattern = apiPath(last == '\\' || last == '/' ? folder : folder + '\\');
    if (pattern.empty()) {
        return nullptr;
    }
    if (pattern.back() != L'\\') {
        pattern.push_back(L'\\');
    }
    // "*" rather than "*.*": the same set, without relying on the DOS wildcard rules.
    pattern.push_back(L'*');
    WIN32_FIND_DATAW data;
    UniqueFind find(FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                     nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!find) {
        return nullptr;
    }
    return std::make_unique<Win32DirectoryListing>(std::move(find), data);
}

std::optional<uint32_t> Win32FileSystem::attributesOf(const std::string& path) const {
    DWORD attributes = GetFileAttributesW(apiPath(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return std::nullopt;
    }
    return attributes;
}

std::optional<DirectoryEntry> Win32FileSystem::entryOf(const std::string& path) const {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(apiPath(path).c_str(), GetFileExInfoStandard, &data)) {
        return std::nullopt;
    }
    DirectoryEntry entry;
    entry.attributes = data.dwFileAttributes;
    entry.size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    entry.created = toFileTime(data.ftCreationTime);
    entry.written = toFileTime(data.ftLastWriteTime);
    return entry;
}

bool Win32FileSystem::directoryExists(const std::string& path) const {
    std::optional<uint32_t> attributes = attributesOf(path);
    return attributes && (*attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool Win32FileSystem::fileExists(const std::string& path) const {
    std::optional<uint32_t> attributes = attributesOf(path);
    return attributes && (*attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool Win32FileSystem::setNormalAttributes(const std::string& path) {
    return SetFileAttributesW(apiPath(path).c_str(), FILE_ATTRIBUTE_NORMAL) != 0;
}

bool Win32FileSystem::deleteFile(const std::string& path) {
    return DeleteFileW(apiPath(path).c_str()) != 0;
}

bool Win32FileSystem::removeDirectory(const std::string& path) {
    const std::wstring api = apiPath(path);
    const DWORD attributes = GetFileAttributesW(api.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
        return RemoveDirectoryW(api.c_str()) != 0;
    }
    // A folder link goes through a handle to the link itself. Where the system cannot open
    // one (Wine opens the target, and its RemoveDirectoryW removes an empty target instead of
    // the link), the link stays: refusing is safe, the target is not ours to touch.
    UniqueFile link(
        CreateFileW(api.c_str(), DELETE | FILE_READ_ATTRIBUTES,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                    FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!link) {
        return false;
    }
    std::vector<BYTE> reparseData(MAXIMUM_REPARSE_DATA_BUFFER_SIZE);
    DWORD returned = 0;
    if (!DeviceIoControl(link.get(), FSCTL_GET_REPARSE_POINT, nullptr, 0, reparseData.data(),
                         static_cast<DWORD>(reparseData.size()), &returned, nullptr)) {
        return false;
    }
    FILE_DISPOSITION_INFO disposition{TRUE};
    return SetFileInformationByHandle(link.get(), FileDispositionInfo, &disposition,
                                      sizeof disposition) != 0;
}

bool Win32FileSystem::createDirectory(const std::string& path) {
    return CreateDirectoryW(apiPath(path).c_str(), nullptr) != 0;
}

bool Win32FileSystem::canDelete(const std::string& path) const {
    // Opening for delete with full sharing fails exactly when a holder denies delete sharing
    // or the access rights forbid it; the handle is closed without deleting anything.
    UniqueFile probe(
        CreateFileW(apiPath(path).c_str(), DELETE,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                    FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    return static_cast<bool>(probe);
}

std::optional<std::string> Win32FileSystem::finalPath(const std::string& path) const {
    // No access is asked for: the handle only names the item, so a file held open without
    // sharing still answers.
    UniqueFile item(CreateFileW(apiPath(path).c_str(), 0,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!item) {
        return std::nullopt;
    }
    const DWORD flags = FILE_NAME_NORMALIZED | VOLUME_NAME_DOS;
    DWORD size = GetFinalPathNameByHandleW(item.get(), nullptr, 0, flags);
    if (size == 0) {
        return std::nullopt;
    }
    std::wstring final(size, L'\0');
    const DWORD length = GetFinalPathNameByHandleW(item.get(), final.data(), size, flags);
    if (length == 0 || length >= size) {
        return std::nullopt;
    }
    final.resize(length);
    if (final.rfind(L"\\\\?\\UNC\\", 0) == 0) {
        return narrow(L"\\\\" + final.substr(8));
    }
    return narrow(final.rfind(L"\\\\?\\", 0) == 0 ? final.substr(4) : final);
}

std::optional<std::string> Win32FileSystem::readFile(const std::string& path) const {
    UniqueFile file = openFile(apiPath(path), GENERIC_READ, OPEN_EXISTING);
    if (!file) {
        return std::nullopt;
    }
    std::string bytes;
    LARGE_INTEGER size;
    if (GetFileSizeEx(file.get(), &size) && size.QuadPart > 0) {
        bytes.reserve(static_cast<size_t>(size.QuadPart));
    }
    // Read to the end rather than trust the size: the file may grow while it is read.
    char buffer[64 * 1024];
    DWORD done = 0;
    while (true) {
        if (!ReadFile(file.get(), buffer, sizeof buffer, &done, nullptr)) {
            return std::nullopt;
        }
        if (done == 0) {
            return bytes;
        }
        bytes.append(buffer, done);
    }
}

std::string Win32FileSystem::replaceFile(const std::string& path, const std::string& bytes) {
    std::wstring target = apiPath(path);
    // Windows refuses to move over a read-only file, Wine does not: refuse here for both.
    DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        return failure("Cannot replace", path, ERROR_ACCESS_DENIED);
    }
    std::wstring sibling;
    UniqueFile file = createSibling(target, sibling);
    if (!file) {
        return failure("Cannot write", path, GetLastError());
    }
    bool written = writeAll(file.get(), bytes) && FlushFileBuffers(file.get());
    DWORD code = GetLastError();
    file.reset();
    if (written && MoveFileExW(sibling.c_str(), target.c_str(),
                               MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return {};
    }
    if (written) {
        code = GetLastError();
    }
    DeleteFileW(sibling.c_str());
    return failure(written ? "Cannot replace" : "Cannot write", path, code);
}

std::string Win32FileSystem::currentDirectory() const {
    DWORD size = GetCurrentDirectoryW(0, nullptr);
    std::wstring directory(size, L'\0');
    DWORD length = GetCurrentDirectoryW(size, directory.data());
    directory.resize(length < size ? length : 0);
    if (directory.empty() || directory.back() != L'\\') {
        directory.push_back(L'\\');
    }
    return narrow(directory);
}

} // namespace dustbane::win32
