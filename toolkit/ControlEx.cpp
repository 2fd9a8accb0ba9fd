#include "toolkit/ControlEx.h"

#include "toolkit/WindowProcedure.h"

namespace toolkit {

namespace {

// Clears a flag when the scope ends, also when an exception leaves it.
class TFlagScope {
public:
    explicit TFlagScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~TFlagScope() { flag_ = false; }
    TFlagScope(const TFlagScope&) = delete;
    TFlagScope& operator=(const TFlagScope&) = delete;

private:
    bool& flag_;
};

} // namespace

TControlEx::TControlEx(core::TComponent* owner)
    : TControl(owner), canvas_(std::make_unique<graphics::TCanvasEx>(Width(), CAIRO_FORMAT_ARGB32, Height()))
{
    canvas_->Font().OnChange.Bind(this, &TControlEx::NotifyFontChanged);
}

void TControlEx::SetOpacity(uint8_t opacity)
{
    opacity_ = opacity;
}

void TControlEx::NotifyFontChanged(core::TObject*)
{
    SendToSelf(MSG_FONT_CHANGED, 0, 0);
}

// A canvas that already has the size keeps its picture: a WM_SIZE that changes nothing
// must not wipe a cached control.
void TControlEx::FitCanvas()
{
    if (canvas_->Width() != Width() || canvas_->Height() != Height())
        canvas_->SetSize(Width(), Height());
}

void TControlEx::MakeWindow()
{
    TControl::MakeWindow();
    FitCanvas();
}

void TControlEx::WmCreate(MessageRecord& message)
{
    TControl::WmCreate(message);
    FitCanvas();
}

void TControlEx::WmSize(MessageRecord& message)
{
    TControl::WmSize(message);
    FitCanvas();
}

void TControlEx::Render()
{
    // An OnPaint that asks for a new render of this control lands here and is dropped.
    if (painting_)
        return;
    TFlagScope painting(painting_);
    if (!HasWindow())
        return;
    if (Redraw()) {
        if (!Locked())
            DrawSelf();
        SetRedraw(!Cached());
    }
    if (!Locked())
        RenderChildren();
    Compose();
}

void TControlEx::RenderChildren()
{
    HWND child = GetWindow(WindowHandle(), GW_CHILD);
    if (!child)
        return;
    for (child = GetWindow(child, GW_HWNDLAST); child; child = GetWindow(child, GW_HWNDPREV)) {
        TControl* control = ControlFromWindow(child);
        if (control && control->Visible())
            control->Render();
    }
}

void TControlEx::DrawSelf()
{
    canvas_->Clear();
    OnPaint(this);
}

// Only the layered window, which composes onto the screen instead, is a painted control
// without a parent; a parent of another kind is a programming error (std::bad_cast).
void TControlEx::Compose()
{
    if (!Parent())
        return;
    auto& parent = dynamic_cast<TControlEx&>(*Parent());
    parent.Canvas().DrawAlpha(canvas_->Bitmap(), Left(), Top(), opacity_);
}

} // namespace toolkit
