#include "big_tree.h"

#include "driver/files.h"
#include "driver/verbatim_files.h"
#include "platform/win32/text.h"

#include <stdexcept>
#include <windows.h>

namespace dustbane::e2e {

BigTree::BigTree(const std::string& path, int files) : root(path), filesEach(files) {
    for (int folder = 0; folder < folders; ++folder) {
        const std::string dir = root + "\\d" + std::to_string(folder);
        createDirectories(dir);
        for (int file = 0; file < filesEach; ++file) {
            HANDLE handle =
                CreateFileW(win32::widen(dir + "\\f" + std::to_string(file) + ".tmp").c_str(),
                            GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
            if (handle == INVALID_HANDLE_VALUE) {
                throw std::runtime_error("cannot fill " + dir);
            }
            DWORD written = 0;
            WriteFile(handle, "x", 1, &written, nullptr);
            CloseHandle(handle);
        }
    }
}

std::vector<std::string> BigTree::remaining() const {
    std::vector<std::string> items;
    for (const auto& [path, item] : snapshotTree(root, FileStamp::Listed)) {
        items.push_back(path.substr(root.size() + 1));
    }
    return items;
}

} // namespace dustbane::e2e
