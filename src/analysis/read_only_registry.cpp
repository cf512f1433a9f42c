#include "analysis/read_only_registry.h"

namespace dustbane {

namespace {

class ReadOnlyKey : public RegistryKey {
  public:
    explicit ReadOnlyKey(std::unique_ptr<RegistryKey> inner) : inner_(std::move(inner)) {}

    bool valueExists(const std::string& name) const override { return inner_->valueExists(name); }
    std::optional<std::string> readString(const std::string& name) const override {
        return inner_->readString(name);
    }
    std::optional<int32_t> readInt(const std::string& name) const override {
        return inner_->readInt(name);
    }
    bool writeString(const std::string&, const std::string&) override { return false; }
    bool writeInt(const std::string&, int32_t) override { return false; }
    bool deleteValue(const std::string&) override { return false; }
    std::vector<std::string> valueNames() const override { return inner_->valueNames(); }
    std::vector<std::string> subkeyNames() const override { return inner_->subkeyNames(); }

  private:
    std::unique_ptr<RegistryKey> inner_;
};

// What opening with create gives for a missing key: a new key, empty, and here unwritable.
class AbsentKey : public RegistryKey {
  public:
    bool valueExists(const std::string&) const override { return false; }
    std::optional<std::string> readString(const std::string&) const override { return {}; }
    std::optional<int32_t> readInt(const std::string&) const override { return {}; }
    bool writeString(const std::string&, const std::string&) override { return false; }
    bool writeInt(const std::string&, int32_t) override { return false; }
    bool deleteValue(const std::string&) override { return false; }
    std::vector<std::string> valueNames() const override { return {}; }
    std::vector<std::string> subkeyNames() const override { return {}; }
};

} // namespace

std::unique_ptr<RegistryKey> ReadOnlyRegistry::open(RegistryRoot root, const std::string& path,
                                                    bool create) {
    if (auto key = inner_.open(root, path, false)) {
        return std::make_unique<ReadOnlyKey>(std::move(key));
    }
    // The caller then reads what a created key would hold, and nothing is created.
    return create ? std::make_unique<AbsentKey>() : nullptr;
}

} // namespace dustbane
