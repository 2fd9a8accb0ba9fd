#pragma once
// Move-only owners of the cairo and GDI+ objects the graphics classes create.
// cairo's Win32 header includes <windows.h> itself, so the project's settings come first.
#include "core/GdiPlus.h"

#include <cairo-win32.h>

#include <cstdint>

#include "core/UniqueHandle.h"

namespace graphics {

using TCairoSurface = core::TUniqueHandle<core::TNullHandleTraits<cairo_surface_t*, &cairo_surface_destroy>>;
using TCairoContext = core::TUniqueHandle<core::TNullHandleTraits<cairo_t*, &cairo_destroy>>;
using TCairoPattern = core::TUniqueHandle<core::TNullHandleTraits<cairo_pattern_t*, &cairo_pattern_destroy>>;

namespace gp = Gdiplus::DllExports;

using TGpGraphics = core::TUniqueHandle<core::TNullHandleTraits<Gdiplus::GpGraphics*, &gp::GdipDeleteGraphics>>;
using TGpImage = core::TUniqueHandle<core::TNullHandleTraits<Gdiplus::GpImage*, &gp::GdipDisposeImage>>;
using TGpBitmap = core::TUniqueHandle<core::TNullHandleTraits<Gdiplus::GpBitmap*, &gp::GdipDisposeImage>>;
using TGpSolidFill = core::TUniqueHandle<core::TNullHandleTraits<Gdiplus::GpSolidFill*, &gp::GdipDeleteBrush>>;
using TGpPen = core::TUniqueHandle<core::TNullHandleTraits<Gdiplus::GpPen*, &gp::GdipDeletePen>>;
using TGpStringFormat =
    core::TUniqueHandle<core::TNullHandleTraits<Gdiplus::GpStringFormat*, &gp::GdipDeleteStringFormat>>;
using TGpFont = core::TUniqueHandle<core::TNullHandleTraits<Gdiplus::GpFont*, &gp::GdipDeleteFont>>;
using TGpFontFamily = core::TUniqueHandle<core::TNullHandleTraits<Gdiplus::GpFontFamily*, &gp::GdipDeleteFontFamily>>;

// A GDI+ solid brush of the colour, or none when GDI+ cannot make one.
inline TGpSolidFill NewSolidFill(uint32_t color)
{
    Gdiplus::GpSolidFill* brush = nullptr;
    gp::GdipCreateSolidFill(color, &brush);
    return TGpSolidFill(brush);
}

} // namespace graphics
