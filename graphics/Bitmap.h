#pragma once
#include <cstdint>
#include <memory>

#include "core/CodePage.h"
#include "core/Object.h"
#include "core/Win32.h"
#include "graphics/GraphicsHandles.h"

namespace graphics {

// A 32-bit premultiplied ARGB image that is at once a cairo image surface, a DIB with a
// device context (for GDI+ text and layered windows) and plain memory for the pixel
// loops. The size is fixed for the bitmap's life.
//
// A surface that cannot be created (a negative or absurd size, no memory, an image GDI+
// cannot decode) leaves an empty bitmap: no pixels, no DC, width and height 0. Every
// operation on it, and every drawing of it, does nothing.
class TBitmapEx : public core::TObject {
public:
    static std::unique_ptr<TBitmapEx> CreateBlank(int width, int height, cairo_format_t format);
    static std::unique_ptr<TBitmapEx> CreateCopy(const TBitmapEx& source);
    // Decodes a PNG resource of the module; raises core::EResNotFound when it is missing.
    static std::unique_ptr<TBitmapEx> CreateFromResource(HMODULE module, const core::AnsiString& type, int id);

    std::unique_ptr<TBitmapEx> Clone() const;

    // Each pass replaces every inner pixel, byte by byte, by the average of its four
    // neighbours, in place from top-left to bottom-right.
    void Blur(int passes);
    // Multiplies the colour channels by the colour's (value * channel >> 8); alpha stays.
    void Tint(uint32_t color);
    // Multiplies all four channels by level / 256.
    void Fade(uint8_t level);

    // A GDI+ bitmap over the same memory, read as premultiplied ARGB (an RGB24 surface as
    // RGB). The caller frees it before this bitmap changes or dies. None for an empty
    // bitmap or one of another format.
    TGpBitmap ToGdiPlusBitmap() const;

    bool Empty() const { return image_ == nullptr; }
    cairo_surface_t* Surface() const { return surface_.Get(); }
    cairo_surface_t* Image() const { return image_; }
    cairo_format_t Format() const { return format_; }
    int Height() const { return height_; }
    int Width() const { return width_; }
    int Stride() const { return stride_; }
    uint8_t* Data() const { return data_; }
    HDC DC() const { return dc_; }

private:
    TBitmapEx() = default;
    void CreateSurface(int width, int height, cairo_format_t format);
    bool HasArgbPixels() const { return data_ && format_ == CAIRO_FORMAT_ARGB32; }
    template <typename PixelFunction> void ForEachPixel(PixelFunction function);

    TCairoSurface surface_;
    cairo_surface_t* image_ = nullptr; // owned by surface_
    cairo_format_t format_ = CAIRO_FORMAT_ARGB32;
    int height_ = 0;
    int width_ = 0;
    int stride_ = 0;
    uint8_t* data_ = nullptr;
    HDC dc_ = nullptr; // owned by surface_
};

} // namespace graphics
