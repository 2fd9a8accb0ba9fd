#include "toolkit/WindowEx.h"

namespace toolkit {

namespace {

constexpr int DefaultWidth = 320;
constexpr int DefaultHeight = 240;

} // namespace

TWindowEx::TWindowEx(core::TComponent* owner) : TControlEx(owner)
{
    SetWidth(DefaultWidth);
    SetHeight(DefaultHeight);
    SetCached(false);
}

// No frame, no caption and no taskbar button: the canvas is the whole window.
void TWindowEx::FillCreateParams(WindowParams& params)
{
    TControlEx::FillCreateParams(params);
    params.Style = WS_POPUP | WS_CLIPSIBLINGS;
    if (!Enabled())
        params.Style |= WS_DISABLED;
    params.ExStyle = WS_EX_LAYERED | WS_EX_TOOLWINDOW;
    if (alwaysTop_)
        params.ExStyle |= WS_EX_TOPMOST;
    params.ParentHandle = ParentWindow();
}

// These messages end here without default processing: activation does not move the
// keyboard focus by itself, and closing destroys the window only through OnClose's
// decision.
void TWindowEx::HandleMessage(MessageRecord& m)
{
    // clang-format off
    switch (m.Msg) {
    case WM_CREATE: WmCreate(m); return;
    case WM_DESTROY: WmDestroy(m); return;
    case WM_ACTIVATE: WmActivate(m); return;
    case WM_CLOSE: WmClose(m); return;
    case WM_MOUSEACTIVATE: WmMouseActivate(m); return;
    case WM_TIMER: WmTimer(m); return;
    default: break;
    }
    // clang-format on
    TControlEx::HandleMessage(m);
}

// The handle is recorded before CreateWindowExW returns, so child controls made in
// AfterCreate find their parent window.
void TWindowEx::WmCreate(MessageRecord& message)
{
    TControlEx::WmCreate(message);
    OnCreate(this);
    AfterCreate();
}

void TWindowEx::WmDestroy(MessageRecord&)
{
    OnDestroy(this);
}

void TWindowEx::WmSize(MessageRecord& message)
{
    TControlEx::WmSize(message);
    OnResize(this);
}

void TWindowEx::WmShowWindow(MessageRecord& message)
{
    TControlEx::WmShowWindow(message);
    if (Visible())
        OnShow(this);
    else
        OnHide(this);
}

void TWindowEx::RenderWindow()
{
    Render();
}

void TWindowEx::Compose()
{
    POINT destination{Left(), Top()};
    SIZE size{Width(), Height()};
    POINT source{0, 0};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, Opacity(), AC_SRC_ALPHA};
    UpdateLayeredWindow(WindowHandle(), nullptr, &destination, &size, Canvas().DC(), &source, 0, &blend, ULW_ALPHA);
}

void TWindowEx::RequestRender()
{
    if (!Painting())
        Render();
}

void TWindowEx::WmClose(MessageRecord&)
{
    DecideClose(*this, OnClose);
}

void TWindowEx::WmActivate(MessageRecord& message)
{
    OnActivate(this, LowWord(message.WParam), reinterpret_cast<HWND>(message.LParam));
}

void TWindowEx::WmMouseActivate(MessageRecord& message)
{
    message.Result = MA_ACTIVATE;
    OnMouseActivate(this, LowWord(message.LParam), HighWord(message.LParam), message.Result);
}

void TWindowEx::WmTimer(MessageRecord& message)
{
    OnTimer(this, static_cast<uint32_t>(message.WParam));
}

void TWindowEx::AfterCreate() {}

void TWindowEx::SetAlwaysTop(bool alwaysTop)
{
    if (alwaysTop == alwaysTop_)
        return;
    alwaysTop_ = alwaysTop;
    if (!HasWindow())
        return;
    SetWindowPos(WindowHandle(), alwaysTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_FRAMECHANGED);
    SetForegroundWindow(WindowHandle());
    SetActiveWindow(WindowHandle());
    RequestRender();
}

void TWindowEx::SetTransparent(bool transparent)
{
    if (transparent == transparent_)
        return;
    transparent_ = transparent;
    if (!HasWindow())
        return;
    DWORD exStyle = ExStyle();
    if (transparent != ((exStyle & WS_EX_TRANSPARENT) != 0))
        SetExStyle(exStyle ^ WS_EX_TRANSPARENT);
    SetWindowPos(WindowHandle(), nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
}

} // namespace toolkit
