#include "platform/win32/win32_registry.h"

#include "platform/win32/handles.h"
#include "platform/win32/text.h"

#include <windows.h>

namespace dustbane::win32 {

namespace {

HKEY rootKey(RegistryRoot root) {
    switch (root) {
    case RegistryRoot::ClassesRoot:
        return HKEY_CLASSES_ROOT;
    case RegistryRoot::LocalMachine:
        return HKEY_LOCAL_MACHINE;
    case RegistryRoot::CurrentUser:
        break;
    }
    return HKEY_CURRENT_USER;
}

// Some keys are written "\Software\..." and some "Software\...\": the API wants neither
// the leading nor the trailing backslash.
std::wstring subkeyPath(const std::string& path) {
    std::wstring wide = widen(path);
    size_t first = wide.find_first_not_of(L'\\');
    if (first == std::wstring::npos) {
        return {};
    }
    return wide.substr(first, wide.find_last_not_of(L'\\') - first + 1);
}

class Win32RegistryKey : public RegistryKey {
  public:
    explicit Win32RegistryKey(UniqueKey key) : key_(std::move(key)) {}

    bool valueExists(const std::string& name) const override {
        return RegQueryValueExW(key_.get(), widen(name).c_str(), nullptr, nullptr, nullptr,
                                nullptr) == ERROR_SUCCESS;
    }

    std::optional<std::string> readString(const std::string& name) const override {
        std::wstring wideName = widen(name);
        DWORD type = 0;
        DWORD size = 0;
        LSTATUS status =
            RegQueryValueExW(key_.get(), wideName.c_str(), nullptr, &type, nullptr, &size);
        // The value may grow between asking its size and reading it: ask again then.
        while (status == ERROR_SUCCESS || status == ERROR_MORE_DATA) {
            if (type != REG_SZ && type != REG_EXPAND_SZ) {
                return std::nullopt;
            }
            std::wstring data(size / sizeof(wchar_t) + 1, L'\0');
            size = static_cast<DWORD>((data.size() - 1) * sizeof(wchar_t));
            status = RegQueryValueExW(key_.get(), wideName.c_str(), nullptr, &type,
                                      reinterpret_cast<BYTE*>(data.data()), &size);
            if (status == ERROR_SUCCESS && (type == REG_SZ || type == REG_EXPAND_SZ)) {
                data.resize(size / sizeof(wchar_t));
                // Stored strings usually carry their terminator; some writers omit it.
                return narrow(data.substr(0, data.find(L'\0')));
            }
        }
        return std::nullopt;
    }

    std::optional<int32_t> readInt(const std::string& name) const override {
        DWORD type = 0;
        DWORD value = 0;
        DWORD size = sizeof value;
        if (RegQueryValueExW(key_.get(), widen(name).c_str(), nullptr, &type,
                             reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS ||
            type != REG_DWORD || size != sizeof value) {
            return std::nullopt;
        }
        return static_cast<int32_t>(value);
    }

    bool writeString(const std::string& name, const std::string& value) override {
        std::wstring data = widen(value);
        return RegSetValueExW(key_.get(), widen(name).c_str(), 0, REG_SZ,
                              reinterpret_cast<const BYTE*>(data.c_str()),
                              static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t))) ==
               ERROR_SUCCESS;
    }

    bool writeInt(const std::string& name, int32_t value) override {
        DWORD data = static_cast<DWORD>(value);
        return RegSetValueExW(key_.get(), widen(name).c_str(), 0, REG_DWORD,
                              reinterpret_cast<const BYTE*>(&data), sizeof data) == ERROR_SUCCESS;
    }

    bool deleteValue(const std::string& name) override {
        return RegDeleteValueW(key_.get(), widen(name).c_str()) == ERROR_SUCCESS;
    }

    std::vector<std::string> subkeyNames() const override {
        std::vector<std::string> names;
        wchar_t name[256]; // key names have at most 255 characters
        for (DWORD index = 0;; ++index) {
            DWORD length = ARRAYSIZE(name);
            if (RegEnumKeyExW(key_.get(), index, name, &length, nullptr, nullptr, nullptr,
                              nullptr) != ERROR_SUCCESS) {
                return names;
            }
            names.push_back(narrow(std::wstring(name, length)));
        }
    }

    std::vector<std::string> valueNames() const override {
        std::vector<std::string> names;
        std::wstring name(16384, L'\0'); // value names have at most 16383 characters
        for (DWORD index = 0;; ++index) {
            DWORD length = static_cast<DWORD>(name.size());
            if (RegEnumValueW(key_.get(), index, name.data(), &length, nullptr, nullptr, nullptr,
                              nullptr) != ERROR_SUCCESS) {
                return names;
            }
            names.push_back(narrow(name.substr(0, length)));
        }
    }

  private:
    UniqueKey key_;
};

} // namespace

std::unique_ptr<RegistryKey> Win32Registry::open(RegistryRoot root, const std::string& path,
                                                 bool create) {
    std::wstring subkey = subkeyPath(path);
    UniqueKey key;
    LSTATUS status =
        create ? RegCreateKeyExW(rootKey(root), subkey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                 KEY_ALL_ACCESS, nullptr, key.put(), nullptr)
               : RegOpenKeyExW(rootKey(root), subkey.c_str(), 0, KEY_ALL_ACCESS, key.put());
    // A user may only read the machine's keys and the policy keys, their own included; such a
    // key opens for reading, and a write to it then fails as a refused write does.
    if (status == ERROR_ACCESS_DENIED && !create) {
        status = RegOpenKeyExW(rootKey(root), subkey.c_str(), 0, KEY_READ, key.put());
    }
    if (status != ERROR_SUCCESS) {
        return nullptr;
    }
    return std::make_unique<Win32RegistryKey>(std::move(key));
}

bool Win32Registry::keyExists(RegistryRoot root, const std::string& path) const {
    // Read access is enough to see a key; full access may be refused on a key that exists.
    UniqueKey key;
    return RegOpenKeyExW(rootKey(root), subkeyPath(path).c_str(), 0, KEY_READ, key.put()) ==
           ERROR_SUCCESS;
}

bool Win32Registry::deleteTree(RegistryRoot root, const std::string& path) {
    std::wstring subkey = subkeyPath(path);
    // An empty subkey would make RegDeleteTreeW empty the whole root.
    if (subkey.empty()) {
        return false;
    }
    LSTATUS status = RegDeleteTreeW(rootKey(root), subkey.c_str());
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

} // namespace dustbane::win32
