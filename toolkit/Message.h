#pragma once
#include <cstdint>

#include "core/Win32.h"

namespace toolkit {

// What every message handler receives: the message and the answer it writes. Whoever
// built the record returns Result to Windows or to its own caller.
struct MessageRecord {
    HWND Window = nullptr;
    UINT Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;
};

// The toolkit's private messages. The pointer-entered message is posted; the other two
// run directly on the control through SendToSelf.
inline constexpr UINT MSG_MOUSE_ENTERED = 0x8146;
inline constexpr UINT MSG_FONT_CHANGED = 0x933F;
inline constexpr UINT MSG_TEXT_CHANGED = 0x9343;

// The system timer message; the headers do not name it. Wine drives pointer tracking
// (hover and leave) with it.
inline constexpr UINT WM_SYSTIMER = 0x0118;

// The 16-bit halves of a message parameter. Coordinates are signed halves.
inline uint16_t LowWord(uintptr_t value)
{
    return static_cast<uint16_t>(value & 0xFFFF);
}
inline uint16_t HighWord(uintptr_t value)
{
    return static_cast<uint16_t>((value >> 16) & 0xFFFF);
}
inline int SignedLow(uintptr_t value)
{
    return static_cast<int16_t>(LowWord(value));
}
inline int SignedHigh(uintptr_t value)
{
    return static_cast<int16_t>(HighWord(value));
}

} // namespace toolkit
