#pragma once
// Move-only owners of the GDI objects, icons and device contexts of the classic windows.
#include "core/UniqueHandle.h"
#include "core/Win32.h"

namespace toolkit {

template <typename T> using TGdiHandle = core::TUniqueHandle<core::TNullHandleTraits<T, &::DeleteObject>>;
using TPenHandle = TGdiHandle<HPEN>;
using TBrushHandle = TGdiHandle<HBRUSH>;
using TFontHandle = TGdiHandle<HFONT>;
using TIconHandle = core::TUniqueHandle<core::TNullHandleTraits<HICON, &::DestroyIcon>>;

// A device context of the whole screen from GetDC(0), released again.
struct TScreenDCTraits {
    using Type = HDC;
    static Type Invalid() { return nullptr; }
    static void Close(Type dc) { ReleaseDC(nullptr, dc); }
};
using TScreenDC = core::TUniqueHandle<TScreenDCTraits>;

} // namespace toolkit
