#pragma once

#include <utility>
#include <windows.h>
// After <windows.h>, which they need.
#include <commctrl.h>
#include <shlobj.h>

namespace dustbane::win32 {

// One move-only owner per handle kind. Traits give the handle type, its invalid value
// (INVALID_HANDLE_VALUE for find handles, null for most others) and its close function:
//   struct KeyTraits { using Handle = HKEY; static HKEY invalid() { return nullptr; }
//                      static void close(HKEY key) { RegCloseKey(key); } };
//   using UniqueKey = UniqueHandle<KeyTraits>;
// Copying is deleted, so a handle is closed exactly once.
template <typename Traits> class UniqueHandle {
  public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept
        : handle_(std::exchange(other.handle_, invalid())) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            reset(std::exchange(other.handle_, invalid()));
        }
        return *this;
    }
    ~UniqueHandle() { reset(); }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != invalid(); }
    // For out-parameters of the API: closes what is held and hands out the slot.
    Handle* put() {
        reset();
        return &handle_;
    }
    void reset(Handle handle = invalid()) {
        if (handle_ != invalid()) {
            Traits::close(handle_);
        }
        handle_ = handle;
    }
    Handle release() { return std::exchange(handle_, invalid()); }

  private:
    static Handle invalid() { return Traits::invalid(); }
    Handle handle_ = invalid();
};

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

struct FontTraits {
    using Handle = HFONT;
    static Handle invalid() { return nullptr; }
    static void close(Handle font) { DeleteObject(font); }
};
using UniqueFont = UniqueHandle<FontTraits>;

struct BrushTraits {
    using Handle = HBRUSH;
    static Handle invalid() { return nullptr; }
    static void close(Handle brush) { DeleteObject(brush); }
};
using UniqueBrush = UniqueHandle<BrushTraits>;

struct IconTraits {
    using Handle = HICON;
    static Handle invalid() { return nullptr; }
    static void close(Handle icon) { DestroyIcon(icon); }
};
using UniqueIcon = UniqueHandle<IconTraits>;

struct ImageListTraits {
    using Handle = HIMAGELIST;
    static Handle invalid() { return nullptr; }
    static void close(Handle images) { ImageList_Destroy(images); }
};
using UniqueImageList = UniqueHandle<ImageListTraits>;

struct MenuTraits {
    using Handle = HMENU;
    static Handle invalid() { return nullptr; }
    static void close(Handle menu) { DestroyMenu(menu); }
};
using UniqueMenu = UniqueHandle<MenuTraits>;

} // namespace dustbane::win32
