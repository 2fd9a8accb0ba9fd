#include "graphics/CanvasEx.h"

#include <string>
#include <utility>

#include "graphics/CairoStateSaver.h"

namespace graphics {

namespace {

constexpr int MeasureTrailingSpaces = Gdiplus::StringFormatFlagsMeasureTrailingSpaces;

TGpStringFormat NewMeasureFormat()
{
    Gdiplus::GpStringFormat* generic = nullptr;
    Gdiplus::GpStringFormat* clone = nullptr;
    if (gp::GdipStringFormatGetGenericTypographic(&generic) != Gdiplus::Ok ||
        gp::GdipCloneStringFormat(generic, &clone) != Gdiplus::Ok)
        return {};
    TGpStringFormat format(clone);
    INT flags = 0;
    gp::GdipGetStringFormatFlags(clone, &flags);
    gp::GdipSetStringFormatFlags(clone, flags | MeasureTrailingSpaces);
    return format;
}

// Wine's GDI+ differs from Windows' in two ways that matter for texts of several lines:
// it draws the CR of a CR LF pair as a missing-glyph box, and it drops empty lines. Such
// texts are passed with bare LFs and a blank in every empty line, which Windows' GDI+
// lays out just like the original.
std::wstring_view PortableLineBreaks(std::wstring_view text, std::wstring& buffer)
{
    if (text.find(L'\n') == std::wstring_view::npos)
        return text;
    buffer.clear();
    for (size_t i = 0; i < text.size(); ++i) {
        wchar_t c = text[i];
        if (c == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n')
            continue;
        if (c == L'\n' && (buffer.empty() || buffer.back() == L'\n'))
            buffer += L' ';
        buffer += c;
    }
    return buffer;
}

} // namespace

TCanvasEx::TCanvasEx(int width, cairo_format_t format, int height) : width_(width), height_(height), format_(format)
{
    CreateSurfaces();
}

void TCanvasEx::CreateSurfaces()
{
    surfaces_.bitmap = TBitmapEx::CreateBlank(width_, height_, format_);
    const TBitmapEx& bitmap = *surfaces_.bitmap;
    if (bitmap.Image())
        surfaces_.cairo.Reset(cairo_create(bitmap.Image()));
    Gdiplus::GpGraphics* graphics = nullptr;
    if (bitmap.DC() && gp::GdipCreateFromHDC(bitmap.DC(), &graphics) == Gdiplus::Ok)
        surfaces_.graphics.Reset(graphics);
    ApplyGraphicsSettings();
    surfaces_.measureFormat = NewMeasureFormat();
}

void TCanvasEx::ApplyGraphicsSettings()
{
    Gdiplus::GpGraphics* graphics = Graphics();
    if (!graphics)
        return;
    gp::GdipSetTextRenderingHint(graphics, textRenderingHint_);
    gp::GdipSetSmoothingMode(graphics, smoothingMode_);
    gp::GdipSetInterpolationMode(graphics, interpolationMode_);
    gp::GdipSetPixelOffsetMode(graphics, pixelOffsetMode_);
    gp::GdipSetTextContrast(graphics, textContrast_);
}

void TCanvasEx::SetSize(int width, int height)
{
    // Released as the destructor does: whatever draws into the bitmap goes before the
    // bitmap and its DC.
    {
        TSurfaces retired = std::exchange(surfaces_, {});
    }
    width_ = width;
    height_ = height;
    CreateSurfaces();
}

void TCanvasEx::SetAntialias(bool antialias)
{
    SetProperty(antialias_, antialias, [&] {
        SetTextRenderingHint(antialias ? Gdiplus::TextRenderingHintAntiAlias
                                       : Gdiplus::TextRenderingHintAntiAliasGridFit);
    });
}

void TCanvasEx::SetTextRenderingHint(Gdiplus::TextRenderingHint hint)
{
    SetProperty(textRenderingHint_, hint, [&] { gp::GdipSetTextRenderingHint(Graphics(), hint); });
}

void TCanvasEx::SetSmoothingMode(Gdiplus::SmoothingMode mode)
{
    SetProperty(smoothingMode_, mode, [&] { gp::GdipSetSmoothingMode(Graphics(), mode); });
}

void TCanvasEx::SetInterpolationMode(Gdiplus::InterpolationMode mode)
{
    SetProperty(interpolationMode_, mode, [&] { gp::GdipSetInterpolationMode(Graphics(), mode); });
}

void TCanvasEx::SetPixelOffsetMode(Gdiplus::PixelOffsetMode mode)
{
    SetProperty(pixelOffsetMode_, mode, [&] { gp::GdipSetPixelOffsetMode(Graphics(), mode); });
}

void TCanvasEx::SetTextContrast(unsigned contrast)
{
    SetProperty(textContrast_, contrast, [&] { gp::GdipSetTextContrast(Graphics(), contrast); });
}

cairo_t* TCanvasEx::CairoFor(const TBitmapEx& source) const
{
    return source.Empty() ? nullptr : surfaces_.cairo.Get();
}

// cairo's clear reaches every pixel of the bitmap. GDI+ clearing the same pixels again
// changes none of them, and under Wine it costs more than twice cairo's clear (a tall
// canvas, such as the headline list's of up to 32,767 rows, took a third of a second).
// GDI's batch is flushed first, so that nothing drawn through the DC lands after the clear.
void TCanvasEx::Clear()
{
    GdiFlush();
    if (cairo_t* cairo = surfaces_.cairo.Get()) {
        TCairoStateSaver saved(cairo);
        cairo_set_operator(cairo, CAIRO_OPERATOR_CLEAR);
        cairo_paint(cairo);
    }
    // After clearing the whole surface cairo takes it for empty, and it draws an empty
    // source as nothing at all. Text, lines and pixel loops write the same memory
    // without cairo's knowledge, so cairo must not trust that any longer.
    if (cairo_surface_t* image = Bitmap().Image())
        cairo_surface_mark_dirty(image);
}

void TCanvasEx::Draw(const TBitmapEx& bitmap, int x, int y)
{
    if (cairo_t* cairo = CairoFor(bitmap)) {
        cairo_set_source_surface(cairo, bitmap.Image(), x, y);
        cairo_paint(cairo);
    }
}

void TCanvasEx::DrawAlpha(const TBitmapEx& bitmap, int x, int y, uint8_t alpha)
{
    cairo_t* cairo = CairoFor(bitmap);
    if (!cairo)
        return;
    cairo_set_source_surface(cairo, bitmap.Image(), x, y);
    if (alpha == 255)
        cairo_paint(cairo);
    else
        cairo_paint_with_alpha(cairo, alpha / 255.0);
}

void TCanvasEx::StretchDraw(const TBitmapEx& bitmap, int x, int y, int w, int h)
{
    if (w == bitmap.Width() && h == bitmap.Height()) {
        Draw(bitmap, x, y);
        return;
    }
    cairo_t* cairo = CairoFor(bitmap);
    if (!cairo || bitmap.Width() <= 0 || bitmap.Height() <= 0 || w <= 0 || h <= 0)
        return;
    TCairoStateSaver saved(cairo);
    TCairoPattern pattern(cairo_pattern_create_for_surface(bitmap.Image()));
    cairo_pattern_set_filter(pattern.Get(), CAIRO_FILTER_NEAREST);
    float scaleX = static_cast<float>(bitmap.Width()) / static_cast<float>(w);
    float scaleY = static_cast<float>(bitmap.Height()) / static_cast<float>(h);
    cairo_matrix_t scale{scaleX, 0, 0, scaleY, 0, 0};
    cairo_pattern_set_matrix(pattern.Get(), &scale);
    cairo_translate(cairo, x, y);
    cairo_set_source(cairo, pattern.Get());
    cairo_rectangle(cairo, 0, 0, w, h);
    cairo_clip(cairo);
    cairo_paint(cairo);
}

void TCanvasEx::StretchDrawGdiPlus(const TBitmapEx& bitmap, int x, int y, int w, int h)
{
    Gdiplus::GpGraphics* graphics = Graphics();
    if (!graphics)
        return;
    TGpBitmap image = bitmap.ToGdiPlusBitmap();
    if (!image)
        return;
    gp::GdipDrawImageRectI(graphics, image.Get(), x, y, w, h);
    GdiFlush();
}

void TCanvasEx::DrawRect(const TBitmapEx& bitmap, int x, int y, int srcX, int srcY, int w, int h)
{
    cairo_t* cairo = CairoFor(bitmap);
    if (!cairo)
        return;
    cairo_set_source_surface(cairo, bitmap.Image(), x - srcX, y - srcY);
    cairo_rectangle(cairo, x, y, w, h);
    cairo_fill(cairo);
}

void TCanvasEx::Line(int x1, int y1, int x2, int y2)
{
    if (Gdiplus::GpGraphics* graphics = Graphics()) {
        gp::GdipDrawLineI(graphics, pen_.Handle(), x1, y1, x2, y2);
        GdiFlush();
    }
}

Gdiplus::RectF TCanvasEx::MeasureString(std::wstring_view text, Gdiplus::GpStringFormat* format) const
{
    Gdiplus::RectF layout(0, 0, 0, 0), box(0, 0, 0, 0);
    std::wstring buffer;
    text = PortableLineBreaks(text, buffer);
    if (Graphics() && font_.Handle())
        gp::GdipMeasureString(Graphics(), text.data(), static_cast<INT>(text.size()), font_.Handle(), &layout, format,
                              &box, nullptr, nullptr);
    return box;
}

SIZE TCanvasEx::TextExtent(std::wstring_view text) const
{
    Gdiplus::RectF box = MeasureString(text, stringFormat_.Handle());
    return {static_cast<LONG>(box.Width + 1.0), static_cast<LONG>(box.Height + 1.0)};
}

int TCanvasEx::TextWidth(std::wstring_view text) const
{
    return TextExtent(text).cx;
}

float TCanvasEx::TextHeight(std::wstring_view text) const
{
    return MeasureString(text, surfaces_.measureFormat.Get()).Height;
}

void TCanvasEx::TextRect(const RECT& rect, std::wstring_view text)
{
    Gdiplus::GpGraphics* graphics = Graphics();
    if (!graphics || !font_.Handle())
        return;
    Gdiplus::RectF layout(static_cast<float>(rect.left), static_cast<float>(rect.top),
                          static_cast<float>(rect.right - rect.left), static_cast<float>(rect.bottom - rect.top));
    std::wstring buffer;
    text = PortableLineBreaks(text, buffer);
    gp::GdipDrawString(graphics, text.data(), static_cast<INT>(text.size()), font_.Handle(), &layout,
                       stringFormat_.Handle(), font_.Brush());
    GdiFlush();
}

} // namespace graphics
