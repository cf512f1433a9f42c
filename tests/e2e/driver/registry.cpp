#include "driver/registry.h"

#include "platform/win32/handles.h"
#include "platform/win32/text.h"

#include <stdexcept>

namespace dustbane::e2e {

namespace {

struct KeyTraits {
    using Handle = HKEY;
    static HKEY invalid() { return nullptr; }
    static void close(HKEY key) { RegCloseKey(key); }
};
using UniqueKey = win32::UniqueHandle<KeyTraits>;

UniqueKey openExisting(HKEY root, const std::string& path) {
    UniqueKey key;
    RegOpenKeyExW(root, win32::widen(path).c_str(), 0, KEY_READ, key.put());
    return key;
}

UniqueKey openForWriting(HKEY root, const std::string& path) {
    UniqueKey key;
    LSTATUS status = RegCreateKeyExW(root, win32::widen(path).c_str(), 0, nullptr, 0,
                                     KEY_ALL_ACCESS, nullptr, key.put(), nullptr);
    if (status != ERROR_SUCCESS) {
        throw std::runtime_error("cannot create key " + path + ": error " + std::to_string(status));
    }
    return key;
}

void check(LSTATUS status, const std::string& what) {
    if (status != ERROR_SUCCESS) {
        throw std::runtime_error(what + ": error " + std::to_string(status));
    }
}

} // namespace

RegKey RegKey::settings() {
    return RegKey(HKEY_CURRENT_USER, "Software\\Quillfen\\Cleaner");
}

bool RegKey::exists() const {
    return static_cast<bool>(openExisting(root_, path_));
}

void RegKey::deleteTree() const {
    LSTATUS status = RegDeleteTreeW(root_, win32::widen(path_).c_str());
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) {
        check(status, "cannot delete key " + path_);
    }
}

bool RegKey::hasValue(const std::string& name) const {
    return valueType(name).has_value();
}

std::optional<DWORD> RegKey::valueType(const std::string& name) const {
    auto key = openExisting(root_, path_);
    DWORD type = 0;
    if (!key || RegQueryValueExW(key.get(), win32::widen(name).c_str(), nullptr, &type, nullptr,
                                 nullptr) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return type;
}

std::optional<int32_t> RegKey::readInt(const std::string& name) const {
    auto key = openExisting(root_, path_);
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    if (!key ||
        RegQueryValueExW(key.get(), win32::widen(name).c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS ||
        type != REG_DWORD) {
        return std::nullopt;
    }
    return static_cast<int32_t>(value);
}

std::optional<std::string> RegKey::readString(const std::string& name) const {
    auto key = openExisting(root_, path_);
    std::wstring wideName = win32::widen(name);
    DWORD type = 0;
    DWORD size = 0;
    if (!key ||
        RegQueryValueExW(key.get(), wideName.c_str(), nullptr, &type, nullptr, &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ) {
        return std::nullopt;
    }
    std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
    size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    check(RegQueryValueExW(key.get(), wideName.c_str(), nullptr, nullptr,
                           reinterpret_cast<BYTE*>(text.data()), &size),
          "cannot read " + name);
    text.resize(wcsnlen(text.c_str(), text.size()));
    return win32::narrow(text);
}

std::vector<std::string> RegKey::valueNames() const {
    std::vector<std::string> names;
    auto key = openExisting(root_, path_);
    if (!key) {
        return names;
    }
    for (DWORD index = 0;; ++index) {
        wchar_t name[16384];
        DWORD length = static_cast<DWORD>(std::size(name));
        if (RegEnumValueW(key.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS) {
            return names;
        }
        names.push_back(win32::narrow(std::wstring(name, length)));
    }
}

void RegKey::writeInt(const std::string& name, int32_t value) const {
    auto key = openForWriting(root_, path_);
    auto raw = static_cast<DWORD>(value);
    check(RegSetValueExW(key.get(), win32::widen(name).c_str(), 0, REG_DWORD,
                         reinterpret_cast<const BYTE*>(&raw), sizeof raw),
          "cannot write " + name);
}

void RegKey::writeString(const std::string& name, const std::string& value) const {
    auto key = openForWriting(root_, path_);
    std::wstring text = win32::widen(value);
    check(RegSetValueExW(key.get(), win32::widen(name).c_str(), 0, REG_SZ,
                         reinterpret_cast<const BYTE*>(text.c_str()),
                         static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))),
          "cannot write " + name);
}

void RegKey::writeBinary(const std::string& name, const std::string& bytes) const {
    auto key = openForWriting(root_, path_);
    check(RegSetValueExW(key.get(), win32::widen(name).c_str(), 0, REG_BINARY,
                         reinterpret_cast<const BYTE*>(bytes.data()),
                         static_cast<DWORD>(bytes.size())),
          "cannot write " + name);
}

void RegKey::deleteValue(const std::string& name) const {
    auto key = openForWriting(root_, path_);
    LSTATUS status = RegDeleteValueW(key.get(), win32::widen(name).c_str());
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) {
        check(status, "cannot delete " + name);
    }
}

} // namespace dustbane::e2e
