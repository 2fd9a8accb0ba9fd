#include "toolkit/WindowProcedure.h"

#include <cassert>
#include <exception>
#include <string>

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

// Messages sent inside CreateWindowExW arrive before the window is bound; WM_CREATE
// still reaches the control through the creation parameter.
TControl* ControlBeingCreated(UINT msg, LPARAM lParam)
{
    if (msg != WM_CREATE)
        return nullptr;
    return static_cast<TControl*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
}

} // namespace

TControl* ControlFromWindow(HWND window)
{
    ATOM key = BindingAtom();
    if (!key || !window)
        return nullptr;
    return static_cast<TControl*>(GetPropW(window, MAKEINTATOM(key)));
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
        Dispatch(*created, message);
    } else {
        message.Result = DefWindowProcW(window, msg, wParam, lParam);
    }
    return message.Result;
}

} // namespace toolkit
