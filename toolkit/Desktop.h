#pragma once
#include "core/Component.h"
#include "core/Win32.h"

namespace toolkit {

// The application's view of the desktop: the current work area of the primary monitor.
class TDesktop : public core::TComponent {
public:
    explicit TDesktop(core::TComponent* owner) : core::TComponent(owner) {}

    // Queried afresh on every call, so a moved taskbar is seen at once.
    bool WorkArea(RECT& area) const;
};

} // namespace toolkit
