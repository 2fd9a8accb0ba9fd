#pragma once
#include "core/Component.h"
#include "core/Win32.h"
#include "toolkit/Control.h"

namespace app {

// The widget's top-level window. For now a framed window: it closes on WM_CLOSE and on
// the close request message, and ends the message loop when it is destroyed.
class TMainWindow : public toolkit::TControl {
public:
    explicit TMainWindow(core::TComponent* owner);

    void HandleMessage(toolkit::MessageRecord& message) override;

protected:
    void FillCreateParams(toolkit::WindowParams& params) override;
};

// Messages other programs may send to the window found by its class name.
inline constexpr UINT MSG_RESERVED = 37682;
inline constexpr UINT MSG_CLOSE_REQUEST = 37683;

} // namespace app
