#include "toolkit/Control.h"

#include <algorithm>

#include <commctrl.h>

#include "core/Format.h"
#include "toolkit/ToolkitStartup.h"
#include "toolkit/WindowProcedure.h"

namespace toolkit {

namespace {

int ControlCounter = 0;

// The system cursors by index: arrow, I-beam, wait, cross, up arrow, size, icon, the
// four sizing arrows, size-all, no, hand, app-starting, help.
constexpr WORD CursorIds[CursorCount] = {32512, 32513, 32514, 32515, 32516, 32640, 32641, 32642,
                                         32643, 32644, 32645, 32646, 32648, 32649, 32650, 32651};

// Automatic component names: "Widget_" and a counter shared by every control.
std::wstring NextControlName()
{
    return core::Format(L"Widget_%d", ControlCounter++);
}

} // namespace

TControl::TControl(core::TComponent* owner) : core::TComponent(owner)
{
    SetName(NextControlName());
}

// A control deleted without Free is unbound here at the latest.
TControl::~TControl()
{
    UnbindWindow();
    WideBufFree(textBuffer_);
    // Fails while other windows of the class exist; the last control of the class
    // succeeds once they are gone.
    WNDCLASSW existing{};
    HINSTANCE module = GetModuleHandleW(nullptr);
    if (!classNameW_.empty() && GetClassInfoW(module, classNameW_.c_str(), &existing))
        UnregisterClassW(classNameW_.c_str(), module);
}

void TControl::BeforeDestruction()
{
    UnbindWindow();
}

// A window that outlives its control must not hand messages to the freed object: it
// gets its class's own procedure back and loses the binding.
void TControl::UnbindWindow()
{
    if (!HasWindow() || ControlFromWindow(windowHandle_) != this)
        return;
    // A procedure installed on top of ours (a tooltip's subclass) stays in place.
    auto current = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(windowHandle_, GWLP_WNDPROC));
    if (defaultProc_ && current == &WindowProcedure)
        SetWindowLongPtrW(windowHandle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(defaultProc_));
    RemovePropW(windowHandle_, MAKEINTATOM(BindingAtom()));
}

void TControl::SetParentControl(TControl* control)
{
    if (control != parent_ && control != this)
        parent_ = control;
}

std::wstring TControl::Caption()
{
    auto length = static_cast<size_t>(ReadTextLength());
    std::wstring text(length, L'\0');
    if (length > 0) {
        auto copied = static_cast<size_t>(ReadText(text.data(), length + 1));
        text.resize(std::min(copied, length));
    }
    return text;
}

void TControl::SetCaption(const std::wstring& caption)
{
    if (caption != Caption())
        WriteText(caption.c_str());
}

void TControl::SetCursor(int cursor)
{
    if (cursor == cursor_ || cursor < 0 || cursor >= CursorCount)
        return;
    cursor_ = cursor;
    cursorHandle_ = LoadCursorW(nullptr, MAKEINTRESOURCEW(CursorIds[cursor]));
}

HWND TControl::Handle()
{
    EnsureWindow();
    return windowHandle_;
}

void TControl::SetHandle(HWND window)
{
    if (HasWindow() || window == windowHandle_ || !IsWindow(window))
        return;
    RECT client{};
    GetClientRect(window, &client);
    width_ = client.right;
    height_ = client.bottom;
    enabled_ = IsWindowEnabled(window) != FALSE;
    visible_ = IsWindowVisible(window) != FALSE;
    POINT origin{0, 0};
    MapWindowPoints(window, parent_ ? parent_->Handle() : parentWindow_, &origin, 1);
    left_ = origin.x;
    top_ = origin.y;
    cursorHandle_ = reinterpret_cast<HCURSOR>(GetClassLongPtrW(window, GCLP_HCURSOR));
    ctrlID_ = GetDlgCtrlID(window);
    windowHandle_ = window;
}

void TControl::ApplyBounds()
{
    if (HasWindow())
        MoveWindow(windowHandle_, left_, top_, width_, height_, FALSE);
}

void TControl::SetBound(int& field, int value)
{
    if (value == field)
        return;
    field = value;
    ApplyBounds();
}

void TControl::SetLeft(int left)
{
    SetBound(left_, left);
}

void TControl::SetTop(int top)
{
    SetBound(top_, top);
}

void TControl::SetWidth(int width)
{
    SetBound(width_, width);
}

void TControl::SetHeight(int height)
{
    SetBound(height_, height);
}

void TControl::Resize(int width, int height)
{
    if (width == width_ && height == height_)
        return;
    width_ = width;
    height_ = height;
    ApplyBounds();
}

void TControl::SetEnabled(bool enabled)
{
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    if (HasWindow())
        EnableWindow(windowHandle_, enabled);
}

void TControl::SetVisible(bool visible)
{
    visible_ = visible;
    ShowWindow(Handle(), visible ? SW_SHOW : SW_HIDE);
}

int TControl::ControlCount() const
{
    if (!windowHandle_)
        return 0;
    int count = 0;
    for (HWND child = GetWindow(windowHandle_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        ++count;
    return count;
}

DWORD TControl::Style() const
{
    return HasWindow() ? static_cast<DWORD>(GetWindowLongW(windowHandle_, GWL_STYLE)) : 0;
}

void TControl::SetStyle(DWORD style)
{
    if (HasWindow())
        SetWindowLongW(windowHandle_, GWL_STYLE, static_cast<LONG>(style));
}

DWORD TControl::ExStyle() const
{
    return HasWindow() ? static_cast<DWORD>(GetWindowLongW(windowHandle_, GWL_EXSTYLE)) : 0;
}

void TControl::SetExStyle(DWORD exStyle)
{
    if (HasWindow())
        SetWindowLongW(windowHandle_, GWL_EXSTYLE, static_cast<LONG>(exStyle));
}

void TControl::SetShowHint(bool showHint)
{
    if (showHint == showHint_)
        return;
    showHint_ = showHint;
    if (showHint)
        AddToTooltip();
    else
        RemoveFromTooltip();
}

void TControl::SetHint(const std::wstring& hint)
{
    hint_ = hint;
    if (showHint_)
        SendTool(TTM_UPDATETIPTEXTW, TTF_IDISHWND);
}

const std::wstring& TControl::ClassNameW() const
{
    // Resolved on first use: inside the constructor the object does not know its
    // final class yet.
    if (classNameW_.empty())
        classNameW_ = ClassName();
    return classNameW_;
}

void TControl::SetClassNameW(const std::wstring& name)
{
    if (!HasWindow())
        classNameW_ = name;
}

bool TControl::HasWindow() const
{
    return IsWindow(windowHandle_) != FALSE;
}

RECT TControl::LocalRect() const
{
    return RECT{0, 0, width_, height_};
}

void TControl::TakeFocus()
{
    if (HasWindow() && visible_ && enabled_)
        SetFocus(Handle());
}

LRESULT TControl::ReadTextLength()
{
    return SendToSelf(WM_GETTEXTLENGTH, 0, 0);
}

LRESULT TControl::ReadText(wchar_t* buffer, size_t capacity)
{
    return SendToSelf(WM_GETTEXT, capacity, reinterpret_cast<LPARAM>(buffer));
}

void TControl::WriteText(const wchar_t* text)
{
    SendToSelf(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    SendToSelf(MSG_TEXT_CHANGED, 0, 0);
}

// The tooltip asks for the text itself (LPSTR_TEXTCALLBACKW), so a tool is only the
// control's window.
void TControl::SendTool(UINT toolMessage, UINT flags)
{
    if (!HasWindow() || !TooltipWindow)
        return;
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V1_SIZE;
    tool.uFlags = flags;
    tool.hwnd = TooltipWindow;
    tool.uId = reinterpret_cast<UINT_PTR>(windowHandle_);
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    SendMessageW(TooltipWindow, toolMessage, 0, reinterpret_cast<LPARAM>(&tool));
}

void TControl::AddToTooltip()
{
    SendTool(TTM_ADDTOOLW, TTF_IDISHWND | TTF_SUBCLASS);
}

void TControl::RemoveFromTooltip()
{
    SendTool(TTM_DELTOOLW, TTF_IDISHWND);
}

TShiftState TControl::KeyFlagsToShift(LPARAM keyData)
{
    TShiftState shift = 0;
    if (GetKeyState(VK_SHIFT) < 0)
        shift |= ssShift;
    if (GetKeyState(VK_CONTROL) < 0)
        shift |= ssCtrl;
    if (keyData & 0x20000000)
        shift |= ssAlt;
    return shift;
}

LRESULT TControl::SendToSelf(TControl* control, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (!control)
        return 0;
    MessageRecord message{control->windowHandle_, msg, wParam, lParam, 0};
    control->HandleMessage(message);
    return message.Result;
}

void TControl::Reposition(int x, int y, int width, int height)
{
    if (!HasWindow())
        return;
    left_ = x;
    top_ = y;
    width_ = width;
    height_ = height;
    MoveWindow(windowHandle_, x, y, width, height, TRUE);
}

void TControl::InvalidateSelf()
{
    Render();
}

void TControl::Render() {}

void TControl::RenderWindow() {}

void TControl::DrawSelf() {}

void TControl::Compose() {}

void TControl::RequestRender()
{
    if (parent_)
        parent_->RequestRender();
}

} // namespace toolkit
