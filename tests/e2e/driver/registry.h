#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>
#include <windows.h>

namespace dustbane::e2e {

// A registry key as a test prepares and inspects it. Reads never create the key; writes
// create it when absent. Failed writes throw, so a test never runs on a setup it did not get.
class RegKey {
  public:
    RegKey(HKEY root, std::string path) : root_(root), path_(std::move(path)) {}
    // HKEY_CURRENT_USER\Software\Quillfen\Cleaner, where Dustbane keeps everything.
    static RegKey settings();

    bool exists() const;
    // Deletes the key with everything below it; nothing happens when it is absent.
    void deleteTree() const;

    bool hasValue(const std::string& name) const;
    // REG_DWORD, REG_SZ, ... or nothing when the value is absent.
    std::optional<DWORD> valueType(const std::string& name) const;
    // Nothing when absent or of another type.
    std::optional<int32_t> readInt(const std::string& name) const;
    std::optional<std::string> readString(const std::string& name) const;
    std::vector<std::string> valueNames() const;

    void writeInt(const std::string& name, int32_t value) const;
    void writeString(const std::string& name, const std::string& value) const;
    // A value of a type Dustbane never writes (REG_BINARY).
    void writeBinary(const std::string& name, const std::string& bytes) const;
    void deleteValue(const std::string& name) const;

  private:
    HKEY root_;
    std::string path_;
};

} // namespace dustbane::e2e
