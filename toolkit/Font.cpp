#include "toolkit/Font.h"

#include <cstddef>

#include "toolkit/WideString.h"

namespace toolkit {

namespace {

// The metrics record as it was before Windows Vista added a field: every Windows
// version accepts this size.
constexpr UINT ClassicMetricsSize = offsetof(NONCLIENTMETRICSW, iPaddedBorderWidth);
static_assert(ClassicMetricsSize == 500);

constexpr int PointsPerInch = 72;

// The system's message-box font, or an all-default record when it cannot be read.
LOGFONTW MessageFont()
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = ClassicMetricsSize;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, ClassicMetricsSize, &metrics, 0);
    return metrics.lfMessageFont;
}

} // namespace

TFont::TFont()
{
    MakeHandle();
}

// Style bits that are clear keep what the system font has.
void TFont::MakeHandle()
{
    TScreenDC screen(GetDC(nullptr));
    LOGFONTW font = MessageFont();
    if (style_ & fsBold)
        font.lfWeight = FW_BOLD;
    if (style_ & fsItalic)
        font.lfItalic = TRUE;
    if (style_ & fsUnderline)
        font.lfUnderline = TRUE;
    if (style_ & fsStrikeOut)
        font.lfStrikeOut = TRUE;
    WideCopyN(font.lfFaceName, name_.c_str(), LF_FACESIZE - 1);
    font.lfCharSet = TURKISH_CHARSET;
    font.lfHeight = -MulDiv(GetDeviceCaps(screen.Get(), LOGPIXELSY), size_, PointsPerInch);
    handle_.Reset(CreateFontIndirectW(&font));
}

void TFont::Rebuild()
{
    FreeHandle();
    MakeHandle();
    Changed();
}

void TFont::SetSize(int size)
{
    if (Store(size_, size))
        Rebuild();
}

void TFont::SetName(const std::wstring& name)
{
    if (Store(name_, name))
        Rebuild();
}

void TFont::SetStyle(int style)
{
    if (Store(style_, style))
        Rebuild();
}

// The handle stays: the colour is not part of a GDI font.
void TFont::SetColor(TColor color)
{
    if (color == color_)
        return;
    color_ = ResolveColor(color);
    Changed();
}

void TFont::Assign(const TGraphicObject* source)
{
    auto* font = dynamic_cast<const TFont*>(source);
    if (!font || font == this)
        return;
    FreeHandle();
    size_ = font->size_;
    name_ = font->name_;
    style_ = font->style_;
    color_ = font->color_;
    MakeHandle();
    Changed();
}

} // namespace toolkit
