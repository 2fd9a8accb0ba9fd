#include "toolkit/Window.h"

namespace toolkit {

namespace {

// The device context a WM_PAINT draws on: the one the message carries, else one from
// BeginPaint, which is ended again. The canvas holds it for exactly this long.
class TPaintScope {
public:
    TPaintScope(HWND window, WPARAM given, TCanvas& canvas)
        : window_(window), canvas_(canvas), dc_(reinterpret_cast<HDC>(given))
    {
        if (!dc_) {
            dc_ = BeginPaint(window, &paint_);
            began_ = true;
        }
        canvas_.SetHandle(dc_);
    }
    ~TPaintScope()
    {
        if (began_)
            EndPaint(window_, &paint_);
        canvas_.SetHandle(nullptr);
    }
    TPaintScope(const TPaintScope&) = delete;
    TPaintScope& operator=(const TPaintScope&) = delete;

    HDC Get() const { return dc_; }

private:
    HWND window_;
    TCanvas& canvas_;
    HDC dc_;
    PAINTSTRUCT paint_{};
    bool began_ = false;
};

} // namespace

TWindow::TWindow(core::TComponent* owner) : TWinControl(owner)
{
    Resize(320, 240);
    Brush().SetColor(clBtnFace);
}

void TWindow::FillCreateParams(WindowParams& params)
{
    TWinControl::FillCreateParams(params);
    params.Style = WS_OVERLAPPEDWINDOW;
    if (!Enabled())
        params.Style |= WS_DISABLED;
    params.ExStyle = WS_EX_OVERLAPPEDWINDOW;
}

void TWindow::HandleMessage(MessageRecord& message)
{
    // clang-format off
    switch (message.Msg) {
    case WM_CREATE: WmCreate(message); return;
    case WM_DESTROY: WmDestroy(message); return;
    case WM_ACTIVATE: WmActivate(message); return;
    case WM_CLOSE: WmClose(message); return;
    case WM_MOUSEACTIVATE: WmMouseActivate(message); return;
    case WM_TIMER: WmTimer(message); return;
    default: TWinControl::HandleMessage(message); return;
    }
    // clang-format on
}

void TWindow::WmCreate(MessageRecord& message)
{
    TWinControl::WmCreate(message);
    AfterCreate();
    OnCreate(this);
}

void TWindow::AfterCreate()
{
    ApplyOpacity();
}

void TWindow::WmDestroy(MessageRecord&)
{
    OnDestroy(this);
}

void TWindow::WmActivate(MessageRecord& message)
{
    OnActivate(this, LowWord(message.WParam), reinterpret_cast<HWND>(message.LParam));
}

void TWindow::WmClose(MessageRecord&)
{
    DecideClose(*this, OnClose);
}

void TWindow::WmMouseActivate(MessageRecord& message)
{
    message.Result = MA_ACTIVATE;
    OnMouseActivate(this, LowWord(message.LParam), HighWord(message.LParam), message.Result);
}

void TWindow::WmTimer(MessageRecord& message)
{
    OnTimer(this, static_cast<uint32_t>(message.WParam));
}

// The window's pen is not handed on: pens copy no settings.
void TWindow::WmPaint(MessageRecord& message)
{
    TPaintScope paint(WindowHandle(), message.WParam, Canvas());
    SetViewportOrgEx(paint.Get(), 0, 0, nullptr);
    SetViewportExtEx(paint.Get(), Width(), Height(), nullptr);
    Canvas().Brush().Assign(&Brush());
    Canvas().Font().Assign(&Font());
    Render();
}

void TWindow::SetOpacity(uint8_t opacity)
{
    if (opacity == Opacity())
        return;
    TWinControl::SetOpacity(opacity);
    ApplyOpacity();
}

void TWindow::ApplyOpacity()
{
    if (HasWindow())
        SetLayeredWindowAttributes(WindowHandle(), 0, Opacity(), LWA_ALPHA);
}

} // namespace toolkit
