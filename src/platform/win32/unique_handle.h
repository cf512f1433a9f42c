#pragma once

#include <utility>

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

} // namespace dustbane::win32
