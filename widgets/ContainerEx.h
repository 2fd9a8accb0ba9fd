#pragma once
#include "toolkit/ControlEx.h"

namespace widgets {

// An empty, transparent painted control: the parent and clipping area of the headline
// list and its scroll bar. Its own drawing is the base's (a cleared canvas and OnPaint),
// so the parent shows through wherever its children leave it clear, and children that
// reach beyond it are cut at its edges when they are composed into it.
class TContainerEx : public toolkit::TControlEx {
public:
    explicit TContainerEx(core::TComponent* owner) : TControlEx(owner) {}
};

} // namespace widgets
