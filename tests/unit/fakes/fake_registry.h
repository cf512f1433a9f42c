#pragma once

#include "platform/registry.h"

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <variant>
#include <vector>

namespace dustbane::testing {

// An in-memory registry: keys and value names are case-insensitive, subkeys enumerate in
// name order, values keep their type. Writes below a key marked read-only fail.
class FakeRegistry : public Registry {
  public:
    struct Binary {
        std::string bytes;
        bool operator==(const Binary&) const = default;
    };
    struct ExpandString {
        std::string text;
        bool operator==(const ExpandString&) const = default;
    };
    using Value = std::variant<std::string, int32_t, ExpandString, Binary>;

    std::unique_ptr<RegistryKey> open(RegistryRoot root, const std::string& path,
                                      bool create) override;
    bool keyExists(RegistryRoot root, const std::string& path) const override;
    bool deleteTree(RegistryRoot root, const std::string& path) override;

    // Test set-up and inspection.
    void set(const std::string& path, const std::string& name, Value value,
             RegistryRoot root = RegistryRoot::CurrentUser);
    bool has(const std::string& path, const std::string& name,
             RegistryRoot root = RegistryRoot::CurrentUser) const;
    std::optional<Value> get(const std::string& path, const std::string& name,
                             RegistryRoot root = RegistryRoot::CurrentUser) const;
    std::vector<std::string> valueNames(const std::string& path,
                                        RegistryRoot root = RegistryRoot::CurrentUser) const;
    // Every write (and key creation) at or below this key fails from now on.
    void makeReadOnly(const std::string& path, RegistryRoot root = RegistryRoot::CurrentUser);
    // Every write fails after this many more succeed.
    void failWritesAfter(int count) { writesLeft_ = count; }

    struct KeyData {
        std::string name;
        std::map<std::string, std::pair<std::string, Value>> values; // upper name -> (name, value)
    };

    bool writable(const std::string& fullKey);
    std::map<std::string, KeyData>& keys() { return keys_; }

    static std::string fullKey(RegistryRoot root, const std::string& path);

  private:
    std::map<std::string, KeyData> keys_; // upper full path -> data
    std::set<std::string> readOnly_;
    int writesLeft_ = -1;
};

} // namespace dustbane::testing
