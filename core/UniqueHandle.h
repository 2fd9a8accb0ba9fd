#pragma once
#include <utility>

namespace core {

// Move-only owner of one handle of any kind. Traits supply the handle type, the value
// that means "none" and the function that releases a handle:
//   struct TMutexTraits { using Type = HANDLE; static Type Invalid() { return nullptr; }
//                         static void Close(Type h) { CloseHandle(h); } };
template <typename Traits>
class TUniqueHandle {
public:
    using Type = typename Traits::Type;

    TUniqueHandle() = default;
    explicit TUniqueHandle(Type value) : value_(value) {}
    TUniqueHandle(const TUniqueHandle&) = delete;
    TUniqueHandle& operator=(const TUniqueHandle&) = delete;
    TUniqueHandle(TUniqueHandle&& other) noexcept : value_(other.Release()) {}
    TUniqueHandle& operator=(TUniqueHandle&& other) noexcept
    {
        if (this != &other)
            Reset(other.Release());
        return *this;
    }
    ~TUniqueHandle() { Reset(); }

    Type Get() const { return value_; }
    explicit operator bool() const { return value_ != Traits::Invalid(); }

    Type Release() { return std::exchange(value_, Traits::Invalid()); }

    void Reset(Type value = Traits::Invalid())
    {
        Type old = std::exchange(value_, value);
        if (old != Traits::Invalid())
            Traits::Close(old);
    }

private:
    Type value_ = Traits::Invalid();
};

// Traits for the common case: a null handle means none.
template <typename T, auto CloseFunction>
struct TNullHandleTraits {
    using Type = T;
    static Type Invalid() { return Type{}; }
    static void Close(Type value) { CloseFunction(value); }
};

} // namespace core
