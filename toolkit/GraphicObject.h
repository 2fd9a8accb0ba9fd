#pragma once
#include <cstdint>

#include "core/Event.h"
#include "core/Object.h"
#include "core/Win32.h"

namespace toolkit {

// A colour of the classic windows: 0x00BBGGRR, or a negative value whose low byte names
// a system colour (clWindow is COLOR_WINDOW, clBtnFace COLOR_BTNFACE).
using TColor = int32_t;
inline constexpr TColor clGreen = 0x00008000;
inline constexpr TColor clWindow = static_cast<TColor>(0x80000000u | COLOR_WINDOW);
inline constexpr TColor clBtnFace = static_cast<TColor>(0x80000000u | COLOR_BTNFACE);

// The RGB value a colour stands for at this moment: system colours are looked up.
TColor ResolveColor(TColor color);

// Base of the GDI object wrappers: a change notification and copying of settings
// between objects of one class.
class TGraphicObject : public core::TObject {
public:
    core::TNotifyEvent OnChange;

    // Copies the settings of an object of the same class; anything else is ignored.
    virtual void Assign(const TGraphicObject* source);
    virtual void Changed();

protected:
    // Stores a different value and says so; the value already held changes nothing.
    template <typename T> static bool Store(T& field, const T& value)
    {
        if (field == value)
            return false;
        field = value;
        return true;
    }

    // Takes over a handle made elsewhere; the object deletes it from now on.
    template <typename Owner> void AdoptHandle(Owner& owner, typename Owner::Type handle)
    {
        if (handle == owner.Get())
            return;
        owner.Reset(handle);
        Changed();
    }
};

} // namespace toolkit
