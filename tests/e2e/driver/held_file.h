#pragma once

#include <string>
#include <windows.h>

namespace dustbane::e2e {

// A file held open without delete sharing, as another program holding it would, until
// release() or the end of the holder.
class HeldFile {
  public:
    explicit HeldFile(const std::string& path);
    ~HeldFile() { release(); }
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;

    bool holding() const { return handle_ != INVALID_HANDLE_VALUE; }
    void release();

  private:
    HANDLE handle_;
};

} // namespace dustbane::e2e
