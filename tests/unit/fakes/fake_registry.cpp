#include "fakes/fake_registry.h"

namespace dustbane::testing {

namespace {

std::string upper(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return text;
}

class FakeKey : public RegistryKey {
  public:
    FakeKey(FakeRegistry& registry, std::string fullKey)
        : registry_(registry), fullKey_(std::move(fullKey)) {}

    bool valueExists(const std::string& name) const override {
        return data().values.count(upper(name)) != 0;
    }

    std::optional<std::string> readString(const std::string& name) const override {
        auto found = data().values.find(upper(name));
        if (found == data().values.end()) {
            return std::nullopt;
        }
        if (auto* text = std::get_if<std::string>(&found->second.second)) {
            return *text;
        }
        if (auto* expand = std::get_if<FakeRegistry::ExpandString>(&found->second.second)) {
            return expand->text;
        }
        return std::nullopt;
    }

    std::optional<int32_t> readInt(const std::string& name) const override {
        auto found = data().values.find(upper(name));
        if (found == data().values.end()) {
            return std::nullopt;
        }
        if (auto* number = std::get_if<int32_t>(&found->second.second)) {
            return *number;
        }
        return std::nullopt;
    }

    bool writeString(const std::string& name, const std::string& value) override {
        return write(name, value);
    }
    bool writeInt(const std::string& name, int32_t value) override { return write(name, value); }

    bool deleteValue(const std::string& name) override {
        if (!registry_.writable(fullKey_)) {
            return false;
        }
        return data().values.erase(upper(name)) != 0;
    }

    std::vector<std::string> subkeyNames() const override {
        std::vector<std::string> names;
        std::string prefix = fullKey_ + "\\";
        for (const auto& [key, keyData] : registry_.keys()) {
            if (key.compare(0, prefix.size(), prefix) == 0 &&
                key.find('\\', prefix.size()) == std::string::npos) {
                names.push_back(keyData.name);
            }
        }
        return names;
    }

    std::vector<std::string> valueNames() const override {
        std::vector<std::string> names;
        for (const auto& [upperName, entry] : data().values) {
            names.push_back(entry.first);
        }
        return names;
    }

  private:
    bool write(const std::string& name, FakeRegistry::Value value) {
        if (!registry_.writable(fullKey_)) {
            return false;
        }
        data().values[upper(name)] = {name, std::move(value)};
        return true;
    }
    FakeRegistry::KeyData& data() const { return registry_.keys().at(fullKey_); }

    FakeRegistry& registry_;
    std::string fullKey_;
};

} // namespace

std::string FakeRegistry::fullKey(RegistryRoot root, const std::string& path) {
    std::string full = root == RegistryRoot::CurrentUser   ? "HKCU"
                       : root == RegistryRoot::ClassesRoot ? "HKCR"
                                                           : "HKLM";
    std::string part;
    for (char c : path + "\\") {
        if (c == '\\') {
            if (!part.empty()) {
                full += "\\" + upper(part);
            }
            part.clear();
        } else {
            part += c;
        }
    }
    return full;
}

bool FakeRegistry::writable(const std::string& key) {
    for (const auto& locked : readOnly_) {
        if (key == locked || key.compare(0, locked.size() + 1, locked + "\\") == 0) {
            return false;
        }
    }
    if (writesLeft_ == 0) {
        return false;
    }
    if (writesLeft_ > 0) {
        --writesLeft_;
    }
    return true;
}

std::unique_ptr<RegistryKey> FakeRegistry::open(RegistryRoot root, const std::string& path,
                                                bool create) {
    std::string key = fullKey(root, path);
    if (!keys_.count(key)) {
        if (!create || !writable(key)) {
            return nullptr;
        }
        // Create every missing key on the way, keeping the spelling of the path.
        std::string partial = fullKey(root, "");
        std::string part;
        for (char c : path + "\\") {
            if (c != '\\') {
                part += c;
                continue;
            }
            if (!part.empty()) {
                partial += "\\" + upper(part);
                keys_.try_emplace(partial, KeyData{part, {}});
            }
            part.clear();
        }
    }
    return std::make_unique<FakeKey>(*this, key);
}

bool FakeRegistry::keyExists(RegistryRoot root, const std::string& path) const {
    return keys_.count(fullKey(root, path)) != 0;
}

bool FakeRegistry::deleteTree(RegistryRoot root, const std::string& path) {
    std::string key = fullKey(root, path);
    if (!writable(key)) {
        return !keys_.count(key);
    }
    keys_.erase(key);
    std::string prefix = key + "\\";
    for (auto it = keys_.lower_bound(prefix);
         it != keys_.end() && it->first.compare(0, prefix.size(), prefix) == 0;) {
        it = keys_.erase(it);
    }
    return true;
}

void FakeRegistry::set(const std::string& path, const std::string& name, Value value,
                       RegistryRoot root) {
    std::string key = fullKey(root, path);
    if (!keys_.count(key)) {
        open(root, path, true);
    }
    keys_.at(key).values[upper(name)] = {name, std::move(value)};
}

bool FakeRegistry::has(const std::string& path, const std::string& name, RegistryRoot root) const {
    auto found = keys_.find(fullKey(root, path));
    return found != keys_.end() && found->second.values.count(upper(name)) != 0;
}

std::optional<FakeRegistry::Value>
FakeRegistry::get(const std::string& path, const std::string& name, RegistryRoot root) const {
    auto found = keys_.find(fullKey(root, path));
    if (found == keys_.end()) {
        return std::nullopt;
    }
    auto value = found->second.values.find(upper(name));
    if (value == found->second.values.end()) {
        return std::nullopt;
    }
    return value->second.second;
}

std::vector<std::string> FakeRegistry::valueNames(const std::string& path,
                                                  RegistryRoot root) const {
    std::vector<std::string> names;
    auto found = keys_.find(fullKey(root, path));
    if (found != keys_.end()) {
        for (const auto& [upperName, entry] : found->second.values) {
            names.push_back(entry.first);
        }
    }
    return names;
}

void FakeRegistry::makeReadOnly(const std::string& path, RegistryRoot root) {
    readOnly_.insert(fullKey(root, path));
}

} // namespace dustbane::testing
