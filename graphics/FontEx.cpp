#include "graphics/FontEx.h"

#include <vector>

namespace graphics {

namespace {

struct TFontRequest {
    float emSize;
    int style;
};

TGpFont CreateFromFamily(const Gdiplus::GpFontFamily* family, TFontRequest request)
{
    Gdiplus::GpFont* font = nullptr;
    if (!family || gp::GdipCreateFont(family, request.emSize, request.style, Gdiplus::UnitPoint, &font) != Gdiplus::Ok)
        return {};
    return TGpFont(font);
}

TGpFont CreateFromNamedFamily(const std::wstring& name, TFontRequest request)
{
    Gdiplus::GpFontFamily* family = nullptr;
    if (gp::GdipCreateFontFamilyFromName(name.c_str(), nullptr, &family) != Gdiplus::Ok)
        return {};
    TGpFontFamily owner(family);
    return CreateFromFamily(family, request);
}

TGpFont CreateFromGenericSansSerif(TFontRequest request)
{
    Gdiplus::GpFontFamily* family = nullptr;
    if (gp::GdipGetGenericFontFamilySansSerif(&family) != Gdiplus::Ok)
        return {};
    TGpFontFamily owner(family);
    return CreateFromFamily(family, request);
}

// The families of the installed collection belong to the collection; they are only used here.
TGpFont CreateFromAnyInstalledFamily(TFontRequest request)
{
    Gdiplus::GpFontCollection* collection = nullptr;
    INT count = 0;
    if (gp::GdipNewInstalledFontCollection(&collection) != Gdiplus::Ok ||
        gp::GdipGetFontCollectionFamilyCount(collection, &count) != Gdiplus::Ok || count <= 0)
        return {};
    std::vector<Gdiplus::GpFontFamily*> families(static_cast<size_t>(count));
    INT found = 0;
    if (gp::GdipGetFontCollectionFamilyList(collection, count, families.data(), &found) != Gdiplus::Ok)
        return {};
    for (INT i = 0; i < found; ++i) {
        if (TGpFont font = CreateFromFamily(families[static_cast<size_t>(i)], request))
            return font;
    }
    return {};
}

} // namespace

TFontEx::TFontEx() : brush_(NewSolidFill(color_))
{
    CreateHandle();
}

void TFontEx::CreateHandle()
{
    TFontRequest request{static_cast<float>(size_), style_};
    handle_ = CreateFromNamedFamily(name_, request);
    if (!handle_)
        handle_ = CreateFromGenericSansSerif(request);
    if (!handle_)
        handle_ = CreateFromAnyInstalledFamily(request);
}

void TFontEx::Recreate()
{
    handle_.Reset();
    CreateHandle();
    Changed();
}

void TFontEx::SetName(const std::wstring& name)
{
    SetProperty(name_, name, [&] { Recreate(); });
}

void TFontEx::SetSize(int size)
{
    SetProperty(size_, size, [&] { Recreate(); });
}

void TFontEx::SetStyle(int style)
{
    SetProperty(style_, style, [&] { Recreate(); });
}

void TFontEx::SetColor(uint32_t color)
{
    if ((color >> 24) == 0xFF)
        color = (color & 0x00FFFFFF) | 0xFE000000;
    if (color == color_)
        return;
    color_ = color;
    gp::GdipSetSolidFillColor(brush_.Get(), color_);
}

void TFontEx::Assign(const TGraphicObjectEx* source)
{
    auto* font = dynamic_cast<const TFontEx*>(source);
    if (!font)
        return;
    color_ = font->color_;
    name_ = font->name_;
    size_ = font->size_;
    style_ = font->style_;
    gp::GdipSetSolidFillColor(brush_.Get(), color_);
    format_.Assign(&font->format_);
    Recreate();
}

} // namespace graphics
