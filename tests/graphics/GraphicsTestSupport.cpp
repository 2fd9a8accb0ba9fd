#include "tests/graphics/GraphicsTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "core/Exceptions.h"
#include "core/Handles.h"
#include "tests/support/Process.h"

namespace graphics_test {

namespace {

// GDI+ for the whole test program, as the program's module start-up does it.
class TGdiPlusEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        Gdiplus::GdiplusStartupInput input;
        ASSERT_EQ(Gdiplus::GdiplusStartup(&token_, &input, nullptr), Gdiplus::Ok);
    }
    void TearDown() override { Gdiplus::GdiplusShutdown(token_); }

private:
    ULONG_PTR token_ = 0;
};

[[maybe_unused]] ::testing::Environment* const gdiPlus = ::testing::AddGlobalTestEnvironment(new TGdiPlusEnvironment);

uint8_t* PixelAddress(const graphics::TBitmapEx& bitmap, int x, int y)
{
    return bitmap.Data() + static_cast<ptrdiff_t>(y) * bitmap.Stride() + x * 4;
}

CLSID PngEncoder()
{
    UINT count = 0, size = 0;
    Gdiplus::DllExports::GdipGetImageEncodersSize(&count, &size);
    std::vector<uint8_t> buffer(size);
    auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    Gdiplus::DllExports::GdipGetImageEncoders(count, size, encoders);
    for (UINT i = 0; i < count; ++i) {
        if (std::wstring(encoders[i].MimeType) == L"image/png")
            return encoders[i].Clsid;
    }
    ADD_FAILURE() << "GDI+ has no PNG encoder";
    return {};
}

} // namespace

uint32_t PixelAt(const graphics::TBitmapEx& bitmap, int x, int y)
{
    uint32_t pixel = 0;
    std::memcpy(&pixel, PixelAddress(bitmap, x, y), 4);
    return pixel;
}

void SetPixelAt(graphics::TBitmapEx& bitmap, int x, int y, uint32_t pixel)
{
    std::memcpy(PixelAddress(bitmap, x, y), &pixel, 4);
}

std::vector<uint32_t> Pixels(const graphics::TBitmapEx& bitmap)
{
    std::vector<uint32_t> pixels;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            pixels.push_back(PixelAt(bitmap, x, y));
    return pixels;
}

std::unique_ptr<graphics::TBitmapEx> BitmapOf(int width, int height, const std::vector<uint32_t>& pixels)
{
    auto bitmap = graphics::TBitmapEx::CreateBlank(width, height, CAIRO_FORMAT_ARGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            SetPixelAt(*bitmap, x, y, pixels.at(static_cast<size_t>(y * width + x)));
    return bitmap;
}

int InkedPixels(const graphics::TBitmapEx& bitmap)
{
    int inked = 0;
    for (uint32_t pixel : Pixels(bitmap))
        inked += (pixel >> 24) != 0;
    return inked;
}

HMODULE SkinModule()
{
    static core::TLibraryHandle module(LoadLibraryExW(testing_support::TaviloExe().c_str(), nullptr,
                                                      LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    if (!module)
        throw core::EOSError(GetLastError());
    return module.Get();
}

std::wstring SkinFolder()
{
    return testing_support::EnvironmentVariable(L"TAVILO_SKIN_DIR");
}

void SaveArtefact(const graphics::TBitmapEx& bitmap, const std::wstring& name)
{
    // PNG stores straight alpha: undo the premultiplication in a copy.
    const int width = bitmap.Width(), height = bitmap.Height();
    std::vector<uint32_t> straight;
    for (uint32_t pixel : Pixels(bitmap)) {
        uint32_t alpha = pixel >> 24, result = pixel & 0xFF000000;
        for (int shift = 0; alpha != 0 && shift < 24; shift += 8) {
            uint32_t channel = ((pixel >> shift) & 0xFF) * 255 + alpha / 2;
            result |= std::min<uint32_t>(channel / alpha, 255) << shift;
        }
        straight.push_back(result);
    }
    Gdiplus::GpBitmap* image = nullptr;
    ASSERT_EQ(Gdiplus::DllExports::GdipCreateBitmapFromScan0(width, height, width * 4, PixelFormat32bppARGB,
                                                             reinterpret_cast<BYTE*>(straight.data()), &image),
              Gdiplus::Ok);
    graphics::TGpBitmap owner(image);
    std::wstring folder = testing_support::EnvironmentVariable(L"TAVILO_ARTEFACT_DIR");
    ASSERT_FALSE(folder.empty()) << "TAVILO_ARTEFACT_DIR is not set";
    CLSID encoder = PngEncoder();
    EXPECT_EQ(Gdiplus::DllExports::GdipSaveImageToFile(image, (folder + L"\\" + name).c_str(), &encoder, nullptr),
              Gdiplus::Ok);
}

} // namespace graphics_test
