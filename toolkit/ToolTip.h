#pragma once
#include "toolkit/WinControl.h"

namespace toolkit {

// The application's tooltip: a system tooltip window whose tools are the controls that
// show hints (each registered with its own window as the tool and the text left to a
// callback). The tooltip asks for the text with a notification sent to itself, answered
// here from the hovered control's Hint while EnableTip is on.
class TToolTip : public TWinControl {
public:
    explicit TToolTip(core::TComponent* owner) : TWinControl(owner) {}

protected:
    void FillCreateParams(WindowParams& params) override;

public:
    void HandleMessage(MessageRecord& message) override;

protected:
    void WmNotify(MessageRecord& message) override;
    virtual void SupplyTipText(MessageRecord& message);

public:
    bool EnableTip() const { return enableTip_; }
    void SetEnableTip(bool enable) { enableTip_ = enable; }
    // The colours live in the system control: 0 and no effect while there is no window.
    COLORREF BackColor() const;
    void SetBackColor(COLORREF color);
    COLORREF TextColor() const;
    void SetTextColor(COLORREF color);

private:
    bool enableTip_ = false;
};

} // namespace toolkit
