#pragma once
#include <cstdint>

#include "core/Event.h"
#include "core/Object.h"
#include "graphics/GraphicsHandles.h"

namespace graphics {

// A property setter: a different value is stored and then applied (to the GDI+ object,
// say); the value already held changes nothing.
template <typename T, typename Apply> void SetProperty(T& field, const T& value, Apply apply)
{
    if (field == value)
        return;
    field = value;
    apply();
}

// Base of the GDI+ drawing-object wrappers: a change notification and copying of
// settings between objects of one class.
class TGraphicObjectEx : public core::TObject {
public:
    core::TNotifyEvent OnChange;

    virtual void Changed();
    // Copies the settings of an object of the same class; anything else is ignored.
    virtual void Assign(const TGraphicObjectEx* source);
};

// A brush of some GDI+ kind; the base itself has no GDI+ brush.
class TBrushEx : public TGraphicObjectEx {
public:
    int BrushType() const { return brushType_; }
    virtual Gdiplus::GpBrush* Handle() const { return nullptr; }

protected:
    explicit TBrushEx(int brushType) : brushType_(brushType) {}

private:
    int brushType_;
};

class TSolidBrushEx : public TBrushEx {
public:
    TSolidBrushEx();
    Gdiplus::GpBrush* Handle() const override { return handle_.Get(); }
    uint32_t Color() const { return color_; }
    void SetColor(uint32_t color);
    void Assign(const TGraphicObjectEx* source) override;

private:
    void CreateHandle();

    uint32_t color_ = 0xFF808080;
    TGpSolidFill handle_;
};

class TPenEx : public TGraphicObjectEx {
public:
    TPenEx();
    Gdiplus::GpPen* Handle() const { return handle_.Get(); }
    uint32_t Color() const { return color_; }
    void SetColor(uint32_t color);
    float Width() const { return width_; }
    void SetWidth(float width);
    Gdiplus::DashStyle Style() const { return style_; }
    void SetStyle(Gdiplus::DashStyle style);
    void Assign(const TGraphicObjectEx* source) override;

private:
    void CreateHandle();

    uint32_t color_ = 0xFF000000;
    float width_ = 1.0f;
    Gdiplus::DashStyle style_ = Gdiplus::DashStyleSolid;
    TGpPen handle_;
};

class TStringFormatEx : public TGraphicObjectEx {
public:
    TStringFormatEx();
    Gdiplus::GpStringFormat* Handle() const { return handle_.Get(); }
    int FormatFlags() const { return formatFlags_; }
    void SetFormatFlags(int flags);
    Gdiplus::StringAlignment Alignment() const { return alignment_; }
    void SetAlignment(Gdiplus::StringAlignment alignment);
    Gdiplus::HotkeyPrefix HotkeyPrefix() const { return hotkeyPrefix_; }
    void SetHotkeyPrefix(Gdiplus::HotkeyPrefix prefix);
    Gdiplus::StringAlignment LineAlignment() const { return lineAlignment_; }
    void SetLineAlignment(Gdiplus::StringAlignment alignment);
    Gdiplus::StringTrimming Trimming() const { return trimming_; }
    void SetTrimming(Gdiplus::StringTrimming trimming);
    void Assign(const TGraphicObjectEx* source) override;

private:
    int formatFlags_ = 0;
    Gdiplus::StringAlignment alignment_ = Gdiplus::StringAlignmentNear;
    Gdiplus::HotkeyPrefix hotkeyPrefix_ = Gdiplus::HotkeyPrefixNone;
    Gdiplus::StringAlignment lineAlignment_ = Gdiplus::StringAlignmentNear;
    Gdiplus::StringTrimming trimming_ = Gdiplus::StringTrimmingCharacter;
    TGpStringFormat handle_;
};

} // namespace graphics
