#pragma once
#include <memory>
#include <string_view>

#include "graphics/Bitmap.h"
#include "graphics/FontEx.h"
#include "graphics/GraphicObjects.h"

namespace graphics {

// The drawing surface of a painted control: a bitmap with a cairo context for
// compositing images and a GDI+ graphics object for text and lines, both drawing into
// the same pixels. Between operations the cairo context is always in its initial state.
// On an empty bitmap (see TBitmapEx) every operation draws nothing.
class TCanvasEx : public TGraphicObjectEx {
public:
    TCanvasEx(int width, cairo_format_t format, int height);

    TBitmapEx& Bitmap() const { return *surfaces_.bitmap; }
    Gdiplus::GpGraphics* Graphics() const { return surfaces_.graphics.Get(); }
    HDC DC() const { return surfaces_.bitmap->DC(); }
    int Width() const { return width_; }
    int Height() const { return height_; }
    TFontEx& Font() { return font_; }
    TSolidBrushEx& Brush() { return brush_; }
    TPenEx& Pen() { return pen_; }
    TStringFormatEx& StringFormat() { return stringFormat_; }

    // Antialiased text when true (TextRenderingHint 4), grid-fitted antialiasing when false (3).
    bool Antialias() const { return antialias_; }
    void SetAntialias(bool antialias);
    Gdiplus::TextRenderingHint TextRenderingHint() const { return textRenderingHint_; }
    void SetTextRenderingHint(Gdiplus::TextRenderingHint hint);
    Gdiplus::SmoothingMode SmoothingMode() const { return smoothingMode_; }
    void SetSmoothingMode(Gdiplus::SmoothingMode mode);
    Gdiplus::InterpolationMode InterpolationMode() const { return interpolationMode_; }
    void SetInterpolationMode(Gdiplus::InterpolationMode mode);
    Gdiplus::PixelOffsetMode PixelOffsetMode() const { return pixelOffsetMode_; }
    void SetPixelOffsetMode(Gdiplus::PixelOffsetMode mode);
    unsigned TextContrast() const { return textContrast_; }
    void SetTextContrast(unsigned contrast);

    // Every pixel becomes transparent black.
    void Clear();
    void Draw(const TBitmapEx& bitmap, int x, int y);
    void DrawAlpha(const TBitmapEx& bitmap, int x, int y, uint8_t alpha);
    // Scales with the nearest-neighbour filter, so pixels keep hard edges.
    void StretchDraw(const TBitmapEx& bitmap, int x, int y, int w, int h);
    // Scales through GDI+ with the canvas's interpolation, pixel-offset and smoothing modes.
    void StretchDrawGdiPlus(const TBitmapEx& bitmap, int x, int y, int w, int h);
    // The w x h part of the bitmap at (srcX, srcY), drawn at (x, y).
    void DrawRect(const TBitmapEx& bitmap, int x, int y, int srcX, int srcY, int w, int h);
    void Line(int x1, int y1, int x2, int y2);

    // The measured box plus 1 in each direction, truncated; never below (1, 1).
    SIZE TextExtent(std::wstring_view text) const;
    int TextWidth(std::wstring_view text) const;
    // The typographic height (no extra leading, trailing spaces counted), unrounded.
    float TextHeight(std::wstring_view text) const;
    void TextRect(const RECT& rect, std::wstring_view text);

    // A new, transparent bitmap of the size; fonts, drawing objects and settings stay.
    void SetSize(int width, int height);

private:
    struct TSurfaces {
        std::unique_ptr<TBitmapEx> bitmap;
        TCairoContext cairo;
        TGpGraphics graphics;
        TGpStringFormat measureFormat;
    };

    void CreateSurfaces();
    void ApplyGraphicsSettings();
    Gdiplus::RectF MeasureString(std::wstring_view text, Gdiplus::GpStringFormat* format) const;
    // The cairo context, or none when the bitmap is empty or has nothing to give.
    cairo_t* CairoFor(const TBitmapEx& source) const;

    int width_;
    int height_;
    cairo_format_t format_;
    bool antialias_ = true;
    Gdiplus::TextRenderingHint textRenderingHint_ = Gdiplus::TextRenderingHintAntiAlias;
    Gdiplus::SmoothingMode smoothingMode_ = Gdiplus::SmoothingModeAntiAlias;
    Gdiplus::InterpolationMode interpolationMode_ = Gdiplus::InterpolationModeNearestNeighbor;
    Gdiplus::PixelOffsetMode pixelOffsetMode_ = Gdiplus::PixelOffsetModeNone;
    unsigned textContrast_ = 4;
    // Declared before the drawing objects, so freed after them.
    TSurfaces surfaces_;
    TFontEx font_;
    TStringFormatEx stringFormat_;
    TPenEx pen_;
    TSolidBrushEx brush_;
};

} // namespace graphics
