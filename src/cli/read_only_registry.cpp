#include "cli/read_only_registry.h"

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

} // namespace

std::unique_ptr<RegistryKey> ReadOnlyRegistry::open(RegistryRoot root, const std::string& path,
                                                    bool) {
    auto key = inner_.open(root, path, false);
    if (!key) {
        return nullptr;
    }
    return std::make_unique<ReadOnlyKey>(std::move(key));
}

} // namespace dustbane
