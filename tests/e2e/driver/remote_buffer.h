#pragma once

#include "platform/win32/handles.h"

#include <cstddef>
#include <windows.h>

namespace dustbane::e2e {

// Memory inside another process, for the control messages whose pointers Windows does not
// carry across processes (list-view items, status-bar texts): the control reads and writes
// the buffer in its own address space and the test copies it in and out.
class RemoteBuffer {
  public:
    RemoteBuffer(DWORD processId, size_t size);
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;
    ~RemoteBuffer();

    void* address() const { return address_; }
    void write(const void* data, size_t size, size_t offset = 0) const;
    void read(void* data, size_t size, size_t offset = 0) const;

  private:
    struct ProcessTraits {
        using Handle = HANDLE;
        static HANDLE invalid() { return nullptr; }
        static void close(HANDLE handle) { CloseHandle(handle); }
    };

    win32::UniqueHandle<ProcessTraits> process_;
    void* address_ = nullptr;
};

} // namespace dustbane::e2e
