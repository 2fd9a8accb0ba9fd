#include "widgets/SkinText.h"

namespace widgets {

TSkinText::TSkinText(core::TComponent* owner) : TControlEx(owner) {}

void TSkinText::SetAutoSize(bool autoSize)
{
    if (autoSize == autoSize_)
        return;
    autoSize_ = autoSize;
    UpdateText();
}

void TSkinText::SetData(const std::wstring& data)
{
    data_ = data;
    UpdateText();
}

void TSkinText::UpdateText()
{
    if (autoSize_)
        FitToText();
    BuildShadow();
}

void TSkinText::FitToText()
{
    SIZE extent = Canvas().TextExtent(data_);
    Resize(extent.cx + 1, extent.cy + 1);
}

// The shadow is the label's own text laid out exactly as the label lays it out, in the
// shadow colour, then softened. A disabled shadow keeps the last one built.
void TSkinText::BuildShadow()
{
    if (!shadow_.Enabled)
        return;
    shadowBitmap_.reset();
    graphics::TCanvasEx layer(Width(), CAIRO_FORMAT_ARGB32, Height());
    layer.SetTextRenderingHint(Canvas().TextRenderingHint());
    layer.StringFormat().Assign(&Canvas().StringFormat());
    layer.Font().Assign(&Canvas().Font());
    layer.Font().SetColor(shadow_.Color);
    layer.TextRect(RECT{0, 0, Width(), Height()}, data_);
    shadowBitmap_ = layer.Bitmap().Clone();
    shadowBitmap_->Blur(shadow_.Passes);
}

// A static control, so that the label announces clicks and draws no mnemonics of its own.
void TSkinText::FillCreateParams(toolkit::WindowParams& params)
{
    TControlEx::FillCreateParams(params);
    UseSystemClass(params, L"STATIC");
    params.Style |= SS_NOPREFIX | SS_NOTIFY;
}

// The fitted text is always Data, whatever the window text says.
void TSkinText::WmSetText(toolkit::MessageRecord& message)
{
    TControlEx::WmSetText(message);
    if (autoSize_)
        FitToText();
}

// The base sizes the canvas first, so the shadow is built at the window's size.
void TSkinText::MakeWindow()
{
    TControlEx::MakeWindow();
    UpdateText();
}

// The shadow is not clipped: its last OffsetX columns and OffsetY rows fall off the canvas.
void TSkinText::DrawSelf()
{
    TControlEx::DrawSelf();
    if (shadow_.Enabled && shadowBitmap_)
        Canvas().Draw(*shadowBitmap_, shadow_.OffsetX, shadow_.OffsetY);
    Canvas().TextRect(LocalRect(), data_);
}

} // namespace widgets
