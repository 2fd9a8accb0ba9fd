#include "toolkit/WindowProcedure.h"

#include <cassert>
#include <exception>
#include <string>
#include <utility>

#include "core/CodePage.h"
#include "core/Exceptions.h"
#include "toolkit/Control.h"
#include "toolkit/ToolkitStartup.h"

namespace toolkit {

uint32_t LastInputTick = 0;
HWND TooltipWindow = nullptr;

namespace {

void ReportEscapedException(const std::wstring& text)
{
    assert(!"an exception escaped a message handler");
    OutputDebugStringW((L"Unhandled exception in a message handler: " + text + L"\n").c_str());
}

// The boundary between the handlers and Windows: nothing unwinds past it.
void Dispatch(TControl& control, MessageRecord& message) noexcept
{
    try {
        control.HandleMessage(message);
    } catch (const core::Exception& error) {
        ReportEscapedException(error.Message());
    } catch (const std::exception& error) {
        ReportEscapedException(core::AnsiToWide(error.what()));
    } catch (...) {
        ReportEscapedException(L"not a standard exception");
    }
}

// WM_NCDESTROY is the last message a window receives: the window gets its class's own
// procedure back before the control sees the message, and loses its binding after.
void DispatchLastMessage(TControl& control, MessageRecord& message)
{
    if (WNDPROC own = control.DefaultProc())
        SetWindowLongPtrW(message.Window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(own));
    Dispatch(control, message);
    RemovePropW(message.Window, MAKEINTATOM(BindingAtom()));
}

// The error that failed the creation of a window on this thread, until BuildWindow
// raises it.
thread_local std::exception_ptr CreationError;

// Messages sent inside CreateWindowExW before WM_CREATE go to the default procedure;
// WM_CREATE reaches the control through the creation parameter.
TControl* ControlBeingCreated(UINT msg, LPARAM lParam)
{
    if (msg != WM_CREATE)
        return nullptr;
    return static_cast<TControl*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
}

// The window is bound from WM_CREATE on, so whatever the control does while it is created
// (moves, renders, child windows) already reaches the control. An error there fails the
// creation instead of leaving a half-built window: WM_CREATE answers -1, CreateWindowExW
// returns no window, and BuildWindow raises the error once it has returned.
void DispatchCreation(TControl& control, MessageRecord& message) noexcept
{
    SetPropW(message.Window, MAKEINTATOM(BindingAtom()), &control);
    if (!control.WindowHandle())
        control.SetWindowHandle(message.Window);
    try {
        control.HandleMessage(message);
    } catch (...) {
        CreationError = std::current_exception();
        message.Result = -1;
    }
}

} // namespace

TControl* ControlFromWindow(HWND window)
{
    ATOM key = BindingAtom();
    if (!key || !window)
        return nullptr;
    return static_cast<TControl*>(GetPropW(window, MAKEINTATOM(key)));
}

void RaiseCreationError()
{
    if (std::exception_ptr error = std::exchange(CreationError, nullptr))
        std::rethrow_exception(error);
}

LRESULT CALLBACK WindowProcedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    MessageRecord message{window, msg, wParam, lParam, 0};
    if (TControl* control = ControlFromWindow(window)) {
        if (msg == WM_NCDESTROY)
            DispatchLastMessage(*control, message);
        else
            Dispatch(*control, message);
    } else if (TControl* created = ControlBeingCreated(msg, lParam)) {
        DispatchCreation(*created, message);
    } else {
        message.Result = DefWindowProcW(window, msg, wParam, lParam);
    }
    return message.Result;
}

} // namespace toolkit
