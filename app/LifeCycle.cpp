#include "app/LifeCycle.h"

#include "core/Handles.h"

namespace app {

void ProcessPendingMessages()
{
    MSG message;
    bool quit = false;
    int quitCode = 0;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            quit = true;
            quitCode = static_cast<int>(message.wParam);
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    if (quit)
        PostQuitMessage(quitCode);
}

void TrimWorkingSet()
{
    core::TKernelHandle process(OpenProcess(PROCESS_ALL_ACCESS, FALSE, GetCurrentProcessId()));
    if (process)
        SetProcessWorkingSetSize(process.Get(), static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1));
    ProcessPendingMessages();
}

void FadeIn(toolkit::TWindowEx& window, uint8_t step, uint32_t delayMs)
{
    window.Show();
    for (;;) {
        int next = window.Opacity() + step;
        if (next >= 255) {
            window.SetOpacity(255);
            window.RequestRender();
            return;
        }
        window.SetOpacity(static_cast<uint8_t>(next));
        window.Compose();
        Sleep(delayMs);
    }
}

void FadeOut(toolkit::TWindowEx& window, uint8_t step, uint32_t delayMs)
{
    while (window.Opacity() - step > 0) {
        window.SetOpacity(static_cast<uint8_t>(window.Opacity() - step));
        window.Compose();
        Sleep(delayMs);
    }
    window.Hide();
}

} // namespace app
