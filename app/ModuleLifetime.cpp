#include "app/ModuleLifetime.h"

#include "core/GdiPlus.h"
#include "toolkit/ToolkitStartup.h"

namespace app {

TModuleLifetime::TModuleLifetime()
{
    toolkit::ToolkitStartup();
    Gdiplus::GdiplusStartupInput input;  // version 1, no debug callback, background thread on
    ULONG_PTR token = 0;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok)
        gdiplusToken_ = token;
}

TModuleLifetime::~TModuleLifetime()
{
    if (gdiplusToken_)
        Gdiplus::GdiplusShutdown(gdiplusToken_);
    toolkit::ToolkitShutdown();
}

} // namespace app
