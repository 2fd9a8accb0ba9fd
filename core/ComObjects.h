#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "core/Exceptions.h"
#include "core/UniqueHandle.h"
#include "core/Win32.h"

// After <windows.h>, which it needs.
#include <oleauto.h>

namespace core {

// A failing COM call, with its HRESULT.
class EOleSysError : public Exception {
public:
    explicit EOleSysError(HRESULT result);
    HRESULT ErrorCode() const { return errorCode_; }

private:
    HRESULT errorCode_;
};

// Raises EOleSysError for a failing HRESULT; S_FALSE and other success codes pass.
void OleCheck(HRESULT result);

// Owner of one reference to a COM interface.
template <typename Interface> struct TComTraits {
    using Type = Interface*;
    static Type Invalid() { return nullptr; }
    static void Close(Type value) { value->Release(); }
};
template <typename Interface> using TComPtr = TUniqueHandle<TComTraits<Interface>>;

// Receives an interface from a call that writes it through an out parameter:
//   document->selectNodes(path, TComOut(list));
template <typename Interface> class TComOut {
public:
    explicit TComOut(TComPtr<Interface>& owner) : owner_(owner) {}
    ~TComOut() { owner_.Reset(value_); }
    TComOut(const TComOut&) = delete;
    TComOut& operator=(const TComOut&) = delete;
    operator Interface**() { return &value_; }
    // For QueryInterface and CoCreateInstance.
    void** AsVoid() { return reinterpret_cast<void**>(&value_); }

private:
    TComPtr<Interface>& owner_;
    Interface* value_ = nullptr;
};

// A BSTR the caller owns, from text or from a call's out parameter.
class TBstr {
public:
    TBstr() = default;
    explicit TBstr(std::wstring_view text);
    ~TBstr() { SysFreeString(value_); }
    TBstr(TBstr&& other) noexcept : value_(std::exchange(other.value_, nullptr)) {}
    TBstr& operator=(TBstr&& other) noexcept;
    TBstr(const TBstr&) = delete;
    TBstr& operator=(const TBstr&) = delete;

    BSTR Get() const { return value_; }
    BSTR Release() { return std::exchange(value_, nullptr); }
    // The out parameter of a call; whatever the owner held is freed first.
    BSTR* Receive();
    // A null BSTR is the empty string.
    std::wstring Text() const;

private:
    BSTR value_ = nullptr;
};

// A VARIANT that clears itself.
class TVariant {
public:
    TVariant() { VariantInit(&value_); }
    // A VT_BSTR holding a copy of the text.
    explicit TVariant(std::wstring_view text);
    explicit TVariant(bool value);
    ~TVariant() { VariantClear(&value_); }
    TVariant(const TVariant&) = delete;
    TVariant& operator=(const TVariant&) = delete;

    const VARIANT& Get() const { return value_; }
    VARIANT* Receive();

private:
    VARIANT value_;
};

} // namespace core
