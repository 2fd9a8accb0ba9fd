#pragma once
#include <cstdint>

#include "core/Event.h"
#include "core/Object.h"
#include "core/Win32.h"

namespace toolkit {

// The keys held during a key message, one bit per member. The toolkit produces only
// the first three.
using TShiftState = uint8_t;
inline constexpr TShiftState ssShift = 0x01;
inline constexpr TShiftState ssAlt = 0x02;
inline constexpr TShiftState ssCtrl = 0x04;
inline constexpr TShiftState ssLeft = 0x08;
inline constexpr TShiftState ssRight = 0x10;
inline constexpr TShiftState ssMiddle = 0x20;
inline constexpr TShiftState ssDouble = 0x40;

// The control's events; the raising control is always the Sender. Reference
// parameters are in/out: a callback may change them.
using core::TNotifyEvent;
using TMouseEvent = core::TEvent<core::TObject* /*Sender*/, uint32_t /*Keys*/, int /*X*/, int /*Y*/>;
using TMouseWheelEvent = core::TEvent<core::TObject*, uint32_t /*Keys*/, int /*WheelDelta*/, int /*X*/, int /*Y*/>;
using TSizingEvent = core::TEvent<core::TObject*, uint32_t /*Edge*/, RECT& /*R*/>;
using TSizeEvent = core::TEvent<core::TObject*, uint32_t /*Flag*/, int /*NewWidth*/, int /*NewHeight*/>;
using TMoveEvent = core::TEvent<core::TObject*, int /*X*/, int /*Y*/>;
using TMovingEvent = core::TEvent<core::TObject*, uint32_t /*Side*/, RECT& /*R*/>;
using TContextMenuEvent = core::TEvent<core::TObject*, int /*X*/, int /*Y*/>;
using TKeyEvent = core::TEvent<core::TObject*, uint16_t& /*Key*/, TShiftState /*Shift*/>;
using TKeyPressEvent = core::TEvent<core::TObject*, uint32_t& /*Key*/>;
using TCharEvent = core::TEvent<core::TObject*, uint32_t& /*CharCode*/>;
using TWindowPosChangingEvent = core::TEvent<core::TObject*, WINDOWPOS& /*WindowPos*/>;

} // namespace toolkit
