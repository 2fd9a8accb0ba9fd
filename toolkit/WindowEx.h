#pragma once
#include <cstdint>

#include "core/Component.h"
#include "core/Event.h"
#include "core/Win32.h"
#include "toolkit/ControlEx.h"
#include "toolkit/WindowEvents.h"

namespace toolkit {

// The top-level window of the painted world: a borderless popup with per-pixel alpha
// whose whole appearance is its canvas. It is the root of the painted tree: every
// RequestRender climbs to it and renders the whole tree, and its Compose puts the
// finished canvas on the screen with one layered update at its own position and with
// its own Opacity. Pixels of alpha 0 let the pointer through to the window below; the
// painted children receive input over the opaque parts through their own windows.
class TWindowEx : public TControlEx {
public:
    explicit TWindowEx(core::TComponent* owner);

    void HandleMessage(MessageRecord& message) override;
    void RenderWindow() override;
    // Re-sends the existing canvas with the current Opacity and position; draws nothing.
    void Compose() override;
    // Renders the whole tree; a request that arrives during a render is dropped.
    void RequestRender() override;

    bool AlwaysTop() const { return alwaysTop_; }
    // On a live window it also brings the window to the front and renders.
    void SetAlwaysTop(bool alwaysTop);
    bool Transparent() const { return transparent_; }
    // Lets the pointer pass through the whole window. Applies to a live window only: the
    // create parameters do not carry it.
    void SetTransparent(bool transparent);

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TCloseEvent OnClose;
    TActivateEvent OnActivate;
    TMouseActivateEvent OnMouseActivate;
    TTimerEvent OnTimer;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    // Stored for the application; deactivation arrives through OnActivate.
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnResize;

protected:
    void FillCreateParams(WindowParams& params) override;
    void WmCreate(MessageRecord& message) override;
    void WmDestroy(MessageRecord& message) override;
    void WmSize(MessageRecord& message) override;
    void WmShowWindow(MessageRecord& message) override;

    virtual void WmClose(MessageRecord& message);
    virtual void WmActivate(MessageRecord& message);
    virtual void WmMouseActivate(MessageRecord& message);
    virtual void WmTimer(MessageRecord& message);
    // Runs inside WM_CREATE, once the handle is known: the place to build child controls.
    virtual void AfterCreate();

private:
    bool alwaysTop_ = false;
    bool transparent_ = false;
};

} // namespace toolkit
