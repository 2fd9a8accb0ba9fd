#pragma once
#include "core/Win32.h"

namespace toolkit {

class TControl;

// Longest window class name a control uses; longer names are cut.
inline constexpr int MaxClassNameLength = 63;

// The create parameters of a control's window, filled by FillCreateParams and consumed
// by BuildWindow and CallCreateWindow.
struct WindowParams {
    const wchar_t* WindowName;
    DWORD Style;
    DWORD ExStyle;
    int Left;
    int Top;
    int Width;
    int Height;
    HWND ParentHandle;
    TControl* CreateParam;
    WNDCLASSW ClassInfo;
    wchar_t ClassName[MaxClassNameLength + 1];
};

} // namespace toolkit
