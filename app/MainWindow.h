#pragma once
#include <string>

#include "core/Component.h"
#include "core/Win32.h"

namespace app {

// The widget's top-level window. For now a plain window: it closes on WM_CLOSE and on
// the close request message, and ends the message loop when it is destroyed.
class TMainWindow : public core::TComponent {
public:
    explicit TMainWindow(core::TComponent* owner) : core::TComponent(owner) {}

    void SetClassNameW(std::wstring name) { className_ = std::move(name); }
    void SetCaption(std::wstring caption) { caption_ = std::move(caption); }
    void EnsureWindow();
    void SetVisible(bool visible);
    HWND WindowHandle() const { return window_; }

private:
    static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    std::wstring className_;
    std::wstring caption_;
    HWND window_ = nullptr;
};

// Messages other programs may send to the window found by its class name.
inline constexpr UINT MSG_RESERVED = 37682;
inline constexpr UINT MSG_CLOSE_REQUEST = 37683;

} // namespace app
