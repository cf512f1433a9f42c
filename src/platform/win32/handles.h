#pragma once

#include "platform/win32/unique_handle.h"

#include <shlobj.h>
#include <windows.h>

namespace dustbane::win32 {

// Find handles and files from CreateFile signal failure with INVALID_HANDLE_VALUE, not null.
struct FindTraits {
    using Handle = HANDLE;
    static Handle invalid() { return INVALID_HANDLE_VALUE; }
    static void close(Handle handle) { FindClose(handle); }
};
using UniqueFind = UniqueHandle<FindTraits>;

struct FileTraits {
    using Handle = HANDLE;
    static Handle invalid() { return INVALID_HANDLE_VALUE; }
    static void close(Handle handle) { CloseHandle(handle); }
};
using UniqueFile = UniqueHandle<FileTraits>;

// Process and thread handles: null when absent.
struct KernelTraits {
    using Handle = HANDLE;
    static Handle invalid() { return nullptr; }
    static void close(Handle handle) { CloseHandle(handle); }
};
using UniqueKernelHandle = UniqueHandle<KernelTraits>;

struct KeyTraits {
    using Handle = HKEY;
    static Handle invalid() { return nullptr; }
    static void close(Handle key) { RegCloseKey(key); }
};
using UniqueKey = UniqueHandle<KeyTraits>;

// Item lists the shell hands out belong to its allocator.
struct PidlTraits {
    using Handle = PIDLIST_ABSOLUTE;
    static Handle invalid() { return nullptr; }
    static void close(Handle pidl) {
        IMalloc* allocator = nullptr;
        if (SUCCEEDED(SHGetMalloc(&allocator))) {
            allocator->Free(pidl);
            allocator->Release();
        }
    }
};
using UniquePidl = UniqueHandle<PidlTraits>;

} // namespace dustbane::win32
