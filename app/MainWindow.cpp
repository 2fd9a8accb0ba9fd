#include "app/MainWindow.h"

#include "resources/Skins.h"

namespace app {

TMainWindow::TMainWindow(core::TComponent* owner) : toolkit::TControl(owner)
{
    Resize(skins::MainFrame.Width, skins::MainFrame.Height);
}

void TMainWindow::FillCreateParams(toolkit::WindowParams& params)
{
    TControl::FillCreateParams(params);
    params.Style = (params.Style & ~WS_CHILD) | WS_OVERLAPPEDWINDOW;
}

void TMainWindow::HandleMessage(toolkit::MessageRecord& message)
{
    switch (message.Msg) {
    case MSG_CLOSE_REQUEST:
        SendMessageW(message.Window, WM_CLOSE, 0, 0);
        break;
    case WM_DESTROY:
        PostQuitMessage(0);
        break;
    default:
        TControl::HandleMessage(message);
    }
}

} // namespace app
