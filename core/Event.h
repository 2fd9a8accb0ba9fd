#pragma once
#include <functional>
#include <utility>

namespace core {

class TObject;

// An event: a callback bound to an object (or any callable), empty by default and
// raised only when assigned. Parameters passed by reference are in/out.
template <typename... Args>
class TEvent {
public:
    TEvent() = default;

    template <typename C, typename Method>
    void Bind(C* object, Method method)
    {
        callback_ = [object, method](Args... args) { (object->*method)(std::forward<Args>(args)...); };
    }
    template <typename F>
    void Bind(F&& function)
    {
        callback_ = std::forward<F>(function);
    }
    void Clear() { callback_ = nullptr; }
    bool Assigned() const { return static_cast<bool>(callback_); }
    explicit operator bool() const { return Assigned(); }

    void operator()(Args... args) const
    {
        if (callback_)
            callback_(std::forward<Args>(args)...);
    }

private:
    std::function<void(Args...)> callback_;
};

using TNotifyEvent = TEvent<TObject*>;

} // namespace core
