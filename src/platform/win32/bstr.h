#pragma once

#include <new>
#include <string>
#include <utility>
#include <windows.h>
// After <windows.h>, which it needs.
#include <oleauto.h>

namespace dustbane::win32 {

// One owned BSTR, the string type of COM automation interfaces; move-only, freed once.
class Bstr {
  public:
    Bstr() = default;
    explicit Bstr(const std::wstring& text)
        : value_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {
        if (!value_) {
            throw std::bad_alloc();
        }
    }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    Bstr(Bstr&& other) noexcept : value_(std::exchange(other.value_, nullptr)) {}
    Bstr& operator=(Bstr&& other) noexcept {
        std::swap(value_, other.value_);
        return *this;
    }
    ~Bstr() { SysFreeString(value_); }

    BSTR get() const { return value_; }
    // For out-parameters: frees what is held and hands out the slot.
    BSTR* put() {
        SysFreeString(std::exchange(value_, nullptr));
        return &value_;
    }
    std::wstring text() const { return value_ ? std::wstring(value_, SysStringLen(value_)) : L""; }

  private:
    BSTR value_ = nullptr;
};

} // namespace dustbane::win32
