#include "widgets/ImageEx.h"

namespace widgets {

TImageEx::TImageEx(core::TComponent* owner) : TControlEx(owner) {}

void TImageEx::SetResource(int id)
{
    image_.reset();
    workBitmap_.reset();
    resourceId_ = id;
    LoadImage();
}

void TImageEx::LoadImage()
{
    image_ = graphics::TBitmapEx::CreateFromResource(GetModuleHandleW(nullptr), "PNG", resourceId_);
    workBitmap_ = image_->Clone();
    if (autoSize_) {
        SetWidth(image_->Width());
        SetHeight(image_->Height());
    }
}

// A static control, so that the image announces clicks like the labels do.
void TImageEx::FillCreateParams(toolkit::WindowParams& params)
{
    TControlEx::FillCreateParams(params);
    UseSystemClass(params, L"STATIC");
    params.Style |= SS_NOPREFIX | SS_NOTIFY;
}

void TImageEx::DrawSelf()
{
    TControlEx::DrawSelf();
    if (workBitmap_)
        Canvas().Draw(*workBitmap_, 0, 0);
}

} // namespace widgets
