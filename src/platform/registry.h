#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace dustbane {

// LocalMachine is read for machine-wide values (the installation folder an MSI wrote, the
// administrator's policies); Dustbane never writes there.
enum class RegistryRoot { CurrentUser, ClassesRoot, LocalMachine };

// One open registry key. Reads answer std::nullopt when the value is missing or has
// another type than asked for; callers that must tell the two apart ask valueExists first.
class RegistryKey {
  public:
    virtual ~RegistryKey() = default;

    virtual bool valueExists(const std::string& name) const = 0;
    // REG_SZ or REG_EXPAND_SZ, returned as stored (no expansion).
    virtual std::optional<std::string> readString(const std::string& name) const = 0;
    // REG_DWORD as a signed 32-bit number.
    virtual std::optional<int32_t> readInt(const std::string& name) const = 0;

    virtual bool writeString(const std::string& name, const std::string& value) = 0;
    virtual bool writeInt(const std::string& name, int32_t value) = 0;
    virtual bool deleteValue(const std::string& name) = 0;

    // Names of the direct subkeys in the order the registry enumerates them.
    virtual std::vector<std::string> subkeyNames() const = 0;
    // Names of the key's values in the order the registry enumerates them.
    virtual std::vector<std::string> valueNames() const = 0;
};

// Paths are relative to the root, with backslashes; a leading backslash is allowed.
class Registry {
  public:
    virtual ~Registry() = default;

    // nullptr when the key does not exist (create = false) or cannot be opened or created.
    virtual std::unique_ptr<RegistryKey> open(RegistryRoot root, const std::string& path,
                                              bool create) = 0;
    virtual bool keyExists(RegistryRoot root, const std::string& path) const = 0;
    // Deletes the key with everything below it; true when the key is gone afterwards.
    virtual bool deleteTree(RegistryRoot root, const std::string& path) = 0;
};

} // namespace dustbane
