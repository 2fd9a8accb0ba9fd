#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "core/Exceptions.h"
#include "core/Streams.h"
#include "graphics/Bitmap.h"
#include "resources/Resources.h"
#include "tests/graphics/GraphicsTestSupport.h"

using graphics::TBitmapEx;

namespace {

// The build's own decoding of the PNG (straight RGBA bytes after a width and a height).
struct TReference {
    int width = 0, height = 0;
    std::vector<uint8_t> rgba;
};

TReference ReadReference(const std::wstring& name)
{
    std::vector<uint8_t> bytes = core::ReadWholeFile(graphics_test::SkinFolder() + L"\\" + name + L".rgba");
    TReference reference;
    if (bytes.size() < 8)
        return reference;
    std::memcpy(&reference.width, bytes.data(), 4);
    std::memcpy(&reference.height, bytes.data() + 4, 4);
    reference.rgba.assign(bytes.begin() + 8, bytes.end());
    return reference;
}

// Straight RGBA as premultiplied ARGB, rounded.
uint32_t Premultiplied(const uint8_t* rgba)
{
    uint32_t alpha = rgba[3];
    auto scale = [alpha](uint32_t channel) { return (channel * alpha + 127) / 255; };
    return alpha << 24 | scale(rgba[0]) << 16 | scale(rgba[1]) << 8 | scale(rgba[2]);
}

int LargestChannelDifference(uint32_t a, uint32_t b)
{
    int largest = 0;
    for (int shift = 0; shift < 32; shift += 8)
        largest =
            std::max(largest, std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)));
    return largest;
}

class SkinTest : public ::testing::TestWithParam<skins::TSkinInfo> {};

} // namespace

TEST_P(SkinTest, DecodesToThePngsPixelsPremultiplied)
{
    const skins::TSkinInfo& skin = GetParam();
    auto bitmap = TBitmapEx::CreateFromResource(graphics_test::SkinModule(), "PNG", skin.Id);
    ASSERT_EQ(bitmap->Width(), skin.Width);
    ASSERT_EQ(bitmap->Height(), skin.Height);
    EXPECT_EQ(bitmap->Format(), CAIRO_FORMAT_ARGB32);

    TReference reference = ReadReference(skin.Name);
    ASSERT_EQ(reference.width, skin.Width);
    ASSERT_EQ(reference.height, skin.Height);
    int worst = 0, translucent = 0;
    for (int y = 0; y < skin.Height; ++y) {
        for (int x = 0; x < skin.Width; ++x) {
            const uint8_t* expected = &reference.rgba[static_cast<size_t>((y * skin.Width + x) * 4)];
            worst = std::max(worst,
                             LargestChannelDifference(graphics_test::PixelAt(*bitmap, x, y), Premultiplied(expected)));
            translucent += expected[3] < 255;
        }
    }
    EXPECT_LE(worst, 1) << "differs from the PNG by more than rounding";
    // Every skin shows the desktop through somewhere.
    EXPECT_GT(translucent, 0);

    graphics_test::SaveArtefact(*bitmap, std::wstring(L"skin-") + skin.Name + L".png");
}

INSTANTIATE_TEST_SUITE_P(Skins, SkinTest, ::testing::ValuesIn(skins::All), [](const auto& info) {
    std::string name;
    for (const wchar_t* c = info.param.Name; *c; ++c)
        if (*c != L'-')
            name += static_cast<char>(*c);
    return name;
});

TEST(Skins, AMissingResourceRaises)
{
    EXPECT_THROW(TBitmapEx::CreateFromResource(graphics_test::SkinModule(), "PNG", 4999), core::EResNotFound);
    EXPECT_THROW(TBitmapEx::CreateFromResource(graphics_test::SkinModule(), "GIF", IDB_MAIN_FRAME), core::EResNotFound);
}

// The version resource is no image: GDI+ cannot decode it, and the result is an empty bitmap.
TEST(Skins, DataThatIsNoImageGivesAnEmptyBitmap)
{
    auto bitmap = TBitmapEx::CreateFromResource(graphics_test::SkinModule(), "#16", 1);
    EXPECT_TRUE(bitmap->Empty());
    EXPECT_EQ(bitmap->Width(), 0);
}
