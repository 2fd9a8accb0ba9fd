#include <gtest/gtest.h>

#include <vector>

#include "graphics/Bitmap.h"
#include "tests/graphics/GraphicsTestSupport.h"

using graphics::TBitmapEx;
using graphics_test::BitmapOf;
using graphics_test::PixelAt;
using graphics_test::Pixels;

namespace {

struct TPixelLoopCase {
    const char* name;
    int width, height;
    std::vector<uint32_t> before;
    void (*operation)(TBitmapEx&);
    std::vector<uint32_t> after;
};

constexpr uint32_t White = 0xFFFFFFFF;

class PixelLoopTest : public ::testing::TestWithParam<TPixelLoopCase> {};

std::vector<TPixelLoopCase> PixelLoopCases()
{
    auto blurOnce = [](TBitmapEx& b) { b.Blur(1); };
    // clang-format off
    return {
        // The centre's own value is not part of its average.
        {"BlurDropsALoneCentre", 3, 3, {0, 0, 0, 0, White, 0, 0, 0, 0}, blurOnce, {0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"BlurAveragesTheFourNeighbours", 3, 3, {0, White, 0, 0, 0, 0, 0, 0, 0}, blurOnce,
         {0, White, 0, 0, 0x3F3F3F3F, 0, 0, 0, 0}},
        {"BlurOfEqualNeighbours", 3, 3, {0, 0x64646464, 0, 0x64646464, 0, 0x64646464, 0, 0x64646464, 0}, blurOnce,
         {0, 0x64646464, 0, 0x64646464, 0x64646464, 0x64646464, 0, 0x64646464, 0}},
        // In place: the second inner pixel already sees the first one's new value.
        {"BlurWorksInPlace", 4, 3, {0, 0, 0, 0, White, 0, 0, 0, 0, 0, 0, 0}, blurOnce,
         {0, 0, 0, 0, White, 0x3F3F3F3F, 0x0F0F0F0F, 0, 0, 0, 0, 0}},
        {"BlurOfZeroPassesChangesNothing", 3, 3, {0, White, 0, 0, 0, 0, 0, 0, 0}, [](TBitmapEx& b) { b.Blur(0); },
         {0, White, 0, 0, 0, 0, 0, 0, 0}},
        {"BlurOfANegativeCountChangesNothing", 3, 3, {0, White, 0, 0, 0, 0, 0, 0, 0},
         [](TBitmapEx& b) { b.Blur(-3); }, {0, White, 0, 0, 0, 0, 0, 0, 0}},
        {"BlurLeavesANarrowBitmapAlone", 2, 3, {White, 0, 0, White, White, 0}, blurOnce,
         {White, 0, 0, White, White, 0}},
        {"TintBlackMakesASilhouette", 2, 1, {White, 0}, [](TBitmapEx& b) { b.Tint(0xFF000000); }, {0xFF000000, 0}},
        {"TintDarkensByTheColour", 1, 1, {White}, [](TBitmapEx& b) { b.Tint(0xFFF0F0F0); }, {0xFFEFEFEF}},
        {"TintIgnoresTheColoursAlpha", 1, 1, {0x80808080}, [](TBitmapEx& b) { b.Tint(0x00FF8040); },
         {0x807F4020}},
        {"TintWithWhiteStillTakesOneStep", 1, 1, {White}, [](TBitmapEx& b) { b.Tint(White); }, {0xFFFEFEFE}},
        {"FadeLowersEveryChannel", 2, 1, {White, 0x80402010}, [](TBitmapEx& b) { b.Fade(240); },
         {0xEFEFEFEF, 0x783C1E0F}},
        {"FadeOfFullLevelStillTakesOneStep", 1, 1, {White}, [](TBitmapEx& b) { b.Fade(255); }, {0xFEFEFEFE}},
    };
    // clang-format on
}

} // namespace

TEST_P(PixelLoopTest, GivesTheExactBytes)
{
    const TPixelLoopCase& test = GetParam();
    auto bitmap = BitmapOf(test.width, test.height, test.before);
    test.operation(*bitmap);
    EXPECT_EQ(Pixels(*bitmap), test.after);
}

INSTANTIATE_TEST_SUITE_P(Bitmap, PixelLoopTest, ::testing::ValuesIn(PixelLoopCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Bitmap, CopyAndCloneAreByteIdenticalWithHalfTransparentPixels)
{
    std::vector<uint32_t> pixels = {0x80402010, 0x7F7F0000, 0x01010101, 0x00000000,
                                    0xFF123456, 0x40404040, 0xC0800000, 0x20001020};
    auto source = BitmapOf(4, 2, pixels);
    auto copy = TBitmapEx::CreateCopy(*source);
    auto clone = source->Clone();
    EXPECT_EQ(Pixels(*copy), pixels);
    EXPECT_EQ(Pixels(*clone), pixels);
    EXPECT_EQ(copy->Format(), CAIRO_FORMAT_ARGB32);
    EXPECT_NE(copy->Data(), source->Data());
}

TEST(Bitmap, ANewBitmapIsTransparentAndItsViewsShareOneBlock)
{
    auto bitmap = TBitmapEx::CreateBlank(5, 3, CAIRO_FORMAT_ARGB32);
    ASSERT_FALSE(bitmap->Empty());
    EXPECT_EQ(bitmap->Stride(), 20);
    EXPECT_EQ(Pixels(*bitmap), std::vector<uint32_t>(15, 0));
    EXPECT_EQ(cairo_image_surface_get_data(bitmap->Image()), bitmap->Data());
    // GDI draws through the DC into the same memory.
    RECT rect{1, 1, 2, 2};
    FillRect(bitmap->DC(), &rect, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    GdiFlush();
    EXPECT_EQ(PixelAt(*bitmap, 1, 1) & 0x00FFFFFF, 0x00FFFFFFu);
}

TEST(Bitmap, TheGdiPlusBitmapSharesThePixels)
{
    auto bitmap = BitmapOf(2, 1, {0xFF102030, 0x80402010});
    graphics::TGpBitmap image = bitmap->ToGdiPlusBitmap();
    ASSERT_TRUE(image);
    Gdiplus::PixelFormat format = 0;
    Gdiplus::DllExports::GdipGetImagePixelFormat(image.Get(), &format);
    EXPECT_EQ(format, static_cast<Gdiplus::PixelFormat>(PixelFormat32bppPARGB)) << "the pixels are premultiplied";
    graphics_test::SetPixelAt(*bitmap, 0, 0, 0xFF0A0B0C);
    Gdiplus::ARGB color = 0;
    Gdiplus::DllExports::GdipBitmapGetPixel(image.Get(), 0, 0, &color);
    EXPECT_EQ(color, 0xFF0A0B0Cu);
}

TEST(Bitmap, PixelLoopsLeaveOtherFormatsAlone)
{
    auto bitmap = TBitmapEx::CreateBlank(3, 3, CAIRO_FORMAT_RGB24);
    ASSERT_FALSE(bitmap->Empty());
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x)
            graphics_test::SetPixelAt(*bitmap, x, y, 0x00FFFFFF);
    bitmap->Blur(1);
    bitmap->Tint(0xFF000000);
    bitmap->Fade(0);
    EXPECT_EQ(Pixels(*bitmap), std::vector<uint32_t>(9, 0x00FFFFFF));
}

// A surface that cannot be created leaves a bitmap with nothing in it rather than a crash.
TEST(Bitmap, AnImpossibleSizeLeavesAnEmptyBitmap)
{
    struct {
        int width, height;
    } sizes[] = {{-1, 10}, {10, -1}, {100000, 100000}, {40000, 10}, {2000000000, 2}};
    for (auto size : sizes) {
        auto bitmap = TBitmapEx::CreateBlank(size.width, size.height, CAIRO_FORMAT_ARGB32);
        EXPECT_TRUE(bitmap->Empty()) << size.width << " x " << size.height;
        EXPECT_EQ(bitmap->Width(), 0);
        EXPECT_EQ(bitmap->Height(), 0);
        EXPECT_EQ(bitmap->Data(), nullptr);
        EXPECT_EQ(bitmap->DC(), nullptr);
        bitmap->Blur(2);
        bitmap->Tint(0xFF000000);
        bitmap->Fade(10);
        EXPECT_FALSE(bitmap->ToGdiPlusBitmap());
        EXPECT_TRUE(bitmap->Clone()->Width() == 0 && bitmap->Clone()->Height() == 0);
    }
}

TEST(Bitmap, AZeroSizeIsARealSurface)
{
    auto bitmap = TBitmapEx::CreateBlank(0, 0, CAIRO_FORMAT_ARGB32);
    EXPECT_FALSE(bitmap->Empty());
    EXPECT_NE(bitmap->DC(), nullptr);
    bitmap->Blur(1);
    EXPECT_FALSE(bitmap->ToGdiPlusBitmap());
}
