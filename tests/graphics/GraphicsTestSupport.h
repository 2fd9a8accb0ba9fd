#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "graphics/Bitmap.h"

namespace graphics_test {

// Premultiplied ARGB words of a bitmap, row by row.
uint32_t PixelAt(const graphics::TBitmapEx& bitmap, int x, int y);
void SetPixelAt(graphics::TBitmapEx& bitmap, int x, int y, uint32_t pixel);
std::vector<uint32_t> Pixels(const graphics::TBitmapEx& bitmap);
// An ARGB32 bitmap holding the given pixels, row by row.
std::unique_ptr<graphics::TBitmapEx> BitmapOf(int width, int height, const std::vector<uint32_t>& pixels);
// How many pixels have any alpha.
int InkedPixels(const graphics::TBitmapEx& bitmap);

// The program's executable, loaded as an image resource: the skins the tests decode.
HMODULE SkinModule();
// Where the build keeps the rendered skins and their raw decodings.
std::wstring SkinFolder();

// Writes the bitmap as a PNG into the build's artefact folder, for people to look at.
void SaveArtefact(const graphics::TBitmapEx& bitmap, const std::wstring& name);

} // namespace graphics_test
