#pragma once

#include "platform/registry.h"

namespace dustbane::win32 {

// The registry through the wide API. Keys are opened with full access, as the program's own
// settings key must be.
class Win32Registry : public Registry {
  public:
    std::unique_ptr<RegistryKey> open(RegistryRoot root, const std::string& path,
                                      bool create) override;
    bool keyExists(RegistryRoot root, const std::string& path) const override;
    bool deleteTree(RegistryRoot root, const std::string& path) override;
};

} // namespace dustbane::win32
