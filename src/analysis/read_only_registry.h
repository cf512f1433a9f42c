#pragma once

#include "platform/registry.h"

namespace dustbane {

// The registry as a preview may use it: every write, value deletion and key deletion is
// refused, and keys are never created; a key opened with create that does not exist reads
// as the empty key a creation would give. A preview so leaves the registry as it was while
// reading what the real run would read.
class ReadOnlyRegistry : public Registry {
  public:
    explicit ReadOnlyRegistry(Registry& inner) : inner_(inner) {}

    std::unique_ptr<RegistryKey> open(RegistryRoot root, const std::string& path,
                                      bool create) override;
    bool keyExists(RegistryRoot root, const std::string& path) const override {
        return inner_.keyExists(root, path);
    }
    bool deleteTree(RegistryRoot, const std::string&) override { return false; }

  private:
    Registry& inner_;
};

} // namespace dustbane
