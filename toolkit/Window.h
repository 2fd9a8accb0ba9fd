#pragma once
#include <cstdint>

#include "toolkit/WinControl.h"
#include "toolkit/WindowEvents.h"

namespace toolkit {

// A framed top-level window that Windows draws and that paints through its canvas:
// during WM_PAINT the canvas holds the paint device context with the window's brush and
// font selected, and Render draws. Creation, destruction, activation, closing and
// timers become events; none of these messages gets default processing.
class TWindow : public TWinControl {
public:
    explicit TWindow(core::TComponent* owner);

protected:
    void FillCreateParams(WindowParams& params) override;

public:
    void HandleMessage(MessageRecord& message) override;

protected:
    void WmCreate(MessageRecord& message) override;
    void WmDestroy(MessageRecord& message) override;
    void WmPaint(MessageRecord& message) override;
    virtual void WmClose(MessageRecord& message);
    virtual void WmActivate(MessageRecord& message);
    virtual void WmMouseActivate(MessageRecord& message);
    virtual void WmTimer(MessageRecord& message);
    // Runs once the window exists, inside WM_CREATE and before OnCreate.
    virtual void AfterCreate();

public:
    // Shows only on a window whose extended style has WS_EX_LAYERED.
    void SetOpacity(uint8_t opacity);

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TCloseEvent OnClose;
    TActivateEvent OnActivate;
    TMouseActivateEvent OnMouseActivate;
    TTimerEvent OnTimer;

private:
    void ApplyOpacity();
};

} // namespace toolkit
