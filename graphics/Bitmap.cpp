#include "graphics/Bitmap.h"

#include <wrl/client.h>

#include <algorithm>
#include <limits>

#include "core/Streams.h"
#include "graphics/StreamAdapter.h"

namespace graphics {

namespace {

// cairo and pixman address a surface's bytes with 32-bit integers; anything larger (or
// negative) is refused before it reaches CreateDIBSection.
bool SurfaceSizeValid(int width, int height)
{
    if (width < 0 || height < 0)
        return false;
    return static_cast<int64_t>(width) * height * 4 <= std::numeric_limits<int32_t>::max();
}

// The resource as an IStream that owns it.
Microsoft::WRL::ComPtr<IStream> OpenResource(HMODULE module, const core::AnsiString& type, int id)
{
    auto resource = std::make_unique<core::TResourceStream>(module, id, core::AnsiToWide(type));
    Microsoft::WRL::ComPtr<IStream> stream(new TStreamAdapter(resource.get(), TStreamOwnership::Owned));
    resource.release();
    return stream;
}

} // namespace

void TBitmapEx::CreateSurface(int width, int height, cairo_format_t format)
{
    format_ = format;
    if (!SurfaceSizeValid(width, height))
        return;
    TCairoSurface surface(cairo_win32_surface_create_with_dib(format, width, height));
    // A failed creation returns cairo's error surface, which the Win32 accessors cannot take.
    if (cairo_surface_status(surface.Get()) != CAIRO_STATUS_SUCCESS)
        return;
    surface_ = std::move(surface);
    dc_ = cairo_win32_surface_get_dc(surface_.Get());
    image_ = cairo_win32_surface_get_image(surface_.Get());
    data_ = cairo_image_surface_get_data(image_);
    stride_ = cairo_image_surface_get_stride(image_);
    width_ = width;
    height_ = height;
}

std::unique_ptr<TBitmapEx> TBitmapEx::CreateBlank(int width, int height, cairo_format_t format)
{
    std::unique_ptr<TBitmapEx> bitmap(new TBitmapEx());
    bitmap->CreateSurface(width, height, format);
    return bitmap;
}

std::unique_ptr<TBitmapEx> TBitmapEx::CreateCopy(const TBitmapEx& source)
{
    auto bitmap = CreateBlank(source.Width(), source.Height(), source.Format());
    if (bitmap->Empty() || source.Empty())
        return bitmap;
    TCairoContext cairo(cairo_create(bitmap->Image()));
    cairo_set_source_surface(cairo.Get(), source.Image(), 0, 0);
    cairo_paint(cairo.Get());
    return bitmap;
}

std::unique_ptr<TBitmapEx> TBitmapEx::CreateFromResource(HMODULE module, const core::AnsiString& type, int id)
{
    std::unique_ptr<TBitmapEx> bitmap(new TBitmapEx());
    Microsoft::WRL::ComPtr<IStream> stream = OpenResource(module, type, id);
    Gdiplus::GpBitmap* decoded = nullptr;
    if (gp::GdipCreateBitmapFromStream(stream.Get(), &decoded) != Gdiplus::Ok)
        return bitmap;
    TGpImage image(decoded);
    UINT width = 0, height = 0;
    gp::GdipGetImageWidth(image.Get(), &width);
    gp::GdipGetImageHeight(image.Get(), &height);
    bitmap->CreateSurface(static_cast<int>(width), static_cast<int>(height), CAIRO_FORMAT_ARGB32);
    if (!bitmap->DC())
        return bitmap;
    Gdiplus::GpGraphics* rawGraphics = nullptr;
    if (gp::GdipCreateFromHDC(bitmap->DC(), &rawGraphics) != Gdiplus::Ok)
        return bitmap;
    TGpGraphics graphics(rawGraphics);
    gp::GdipDrawImageRectI(graphics.Get(), image.Get(), 0, 0, static_cast<INT>(width), static_cast<INT>(height));
    GdiFlush();
    return bitmap;
}

std::unique_ptr<TBitmapEx> TBitmapEx::Clone() const
{
    return CreateCopy(*this);
}

template <typename PixelFunction> void TBitmapEx::ForEachPixel(PixelFunction function)
{
    if (!HasArgbPixels())
        return;
    GdiFlush();
    for (int y = 0; y < height_; ++y) {
        uint8_t* pixel = data_ + static_cast<ptrdiff_t>(y) * stride_;
        for (int x = 0; x < width_; ++x, pixel += 4)
            function(pixel);
    }
}

void TBitmapEx::Blur(int passes)
{
    if (!HasArgbPixels())
        return;
    GdiFlush();
    // Byte-wise over pixels 1 .. width - 2 of rows 1 .. height - 2; the left and upper
    // neighbours already hold this pass's values.
    const int rowBytes = stride_;
    const int lastByte = width_ * 4 - 4;
    for (int pass = 0; pass < passes; ++pass) {
        for (int y = 1; y < height_ - 1; ++y) {
            uint8_t* row = data_ + static_cast<ptrdiff_t>(y) * rowBytes;
            for (int i = 4; i < lastByte; ++i)
                row[i] = static_cast<uint8_t>((row[i - rowBytes] + row[i + rowBytes] + row[i - 4] + row[i + 4]) >> 2);
        }
    }
}

void TBitmapEx::Tint(uint32_t color)
{
    const uint32_t blue = color & 0xFF, green = (color >> 8) & 0xFF, red = (color >> 16) & 0xFF;
    ForEachPixel([=](uint8_t* pixel) {
        pixel[0] = static_cast<uint8_t>(std::min<uint32_t>(pixel[0] * blue >> 8, 255));
        pixel[1] = static_cast<uint8_t>(std::min<uint32_t>(pixel[1] * green >> 8, 255));
        pixel[2] = static_cast<uint8_t>(std::min<uint32_t>(pixel[2] * red >> 8, 255));
    });
}

void TBitmapEx::Fade(uint8_t level)
{
    ForEachPixel([=](uint8_t* pixel) {
        for (int channel = 0; channel < 4; ++channel)
            pixel[channel] = static_cast<uint8_t>(pixel[channel] * level >> 8);
    });
}

TGpBitmap TBitmapEx::ToGdiPlusBitmap() const
{
    if (!data_ || width_ == 0 || height_ == 0)
        return {};
    // Read as straight ARGB, every translucent pixel would come out darker when GDI+ scales it.
    Gdiplus::PixelFormat format = PixelFormat32bppPARGB;
    if (format_ == CAIRO_FORMAT_RGB24)
        format = PixelFormat32bppRGB;
    else if (format_ != CAIRO_FORMAT_ARGB32)
        return {};
    Gdiplus::GpBitmap* bitmap = nullptr;
    if (gp::GdipCreateBitmapFromScan0(width_, height_, stride_, format, data_, &bitmap) != Gdiplus::Ok)
        return {};
    return TGpBitmap(bitmap);
}

} // namespace graphics
