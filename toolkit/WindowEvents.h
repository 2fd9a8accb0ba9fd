#pragma once
#include <cstdint>

#include "core/Event.h"
#include "core/Object.h"
#include "core/Win32.h"

namespace toolkit {

class TControl;

// What happens to a top-level window asked to close; OnClose may change it.
enum TCloseAction : uint8_t { caNone, caHide, caFree, caMinimize };

// The events of top-level windows; the raising window is always the Sender. Reference
// parameters are in/out.
using TCloseEvent = core::TEvent<core::TObject* /*Sender*/, TCloseAction& /*Action*/>;
using TActivateEvent = core::TEvent<core::TObject*, uint16_t /*Activation*/, HWND /*Window*/>;
using TMouseActivateEvent =
    core::TEvent<core::TObject*, uint16_t /*HitTest*/, uint16_t /*MouseButton*/, LRESULT& /*Result*/>;
using TTimerEvent = core::TEvent<core::TObject*, uint32_t /*TimerID*/>;

// The close decision of a top-level window: the action starts as caFree and OnClose may
// change it. caHide hides the window, caFree destroys it (the object stays alive), the
// others keep it as it is.
void DecideClose(TControl& window, const TCloseEvent& onClose);

} // namespace toolkit
