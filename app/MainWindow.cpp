#include "app/MainWindow.h"

#include "core/Exceptions.h"
#include "resources/Resources.h"

namespace app {

void TMainWindow::EnsureWindow()
{
    if (window_)
        return;
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW windowClass{};
    if (!GetClassInfoW(instance, className_.c_str(), &windowClass)) {
        windowClass.lpfnWndProc = &TMainWindow::WindowProcedure;
        windowClass.hInstance = instance;
        windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_APP_ICON));
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
        windowClass.lpszClassName = className_.c_str();
        if (!RegisterClassW(&windowClass))
            core::RaiseLastOSError();
    }
    window_ = CreateWindowExW(0, className_.c_str(), caption_.c_str(), WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                              CW_USEDEFAULT, 475, 350, nullptr, nullptr, instance, nullptr);
    if (!window_)
        core::RaiseLastOSError();
}

void TMainWindow::SetVisible(bool visible)
{
    EnsureWindow();
    ShowWindow(window_, visible ? SW_SHOW : SW_HIDE);
}

LRESULT CALLBACK TMainWindow::WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case MSG_CLOSE_REQUEST:
        SendMessageW(window, WM_CLOSE, 0, 0);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace app
