// The life of a control's native window: create parameters, class registration,
// creation, binding, default processing and teardown.
#include "core/Exceptions.h"
#include "core/Format.h"
#include "toolkit/Control.h"
#include "toolkit/ToolkitStartup.h"
#include "toolkit/WindowProcedure.h"

namespace toolkit {

namespace {

// Class styles a subclassed system class must not pass on: a private or shared device
// context, and registration as a global class.
constexpr UINT ForeignClassStyles = CS_OWNDC | CS_CLASSDC | CS_PARENTDC | CS_GLOBALCLASS;

HINSTANCE ProgramModule()
{
    return GetModuleHandleW(nullptr);
}

} // namespace

void TControl::EnsureWindow()
{
    if (windowHandle_)
        return;
    if (parent_)
        parent_->EnsureWindow();
    MakeWindow();
}

void TControl::MakeWindow()
{
    if (windowHandle_)
        return;
    BuildWindow();
    SetPropW(windowHandle_, MAKEINTATOM(BindingAtom()), this);
    // A new child goes on top of its siblings, so later children are drawn above.
    if (parent_)
        SetWindowPos(windowHandle_, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
}

void TControl::FillCreateParams(WindowParams& params)
{
    params = WindowParams{};
    params.CreateParam = this;
    params.WindowName = textBuffer_.Get();
    params.Style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    if (!enabled_)
        params.Style |= WS_DISABLED;
    params.ExStyle = WS_EX_CONTROLPARENT;
    params.Left = left_;
    params.Top = top_;
    params.Width = width_;
    params.Height = height_;
    params.ParentHandle = parent_ ? parent_->Handle() : parentWindow_;
    params.ClassInfo.style = CS_DBLCLKS;
    params.ClassInfo.lpfnWndProc = &DefWindowProcW;
    params.ClassInfo.cbWndExtra = 4;
    params.ClassInfo.hInstance = ProgramModule();
    params.ClassInfo.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    WideCopyN(params.ClassName, ClassNameW().c_str(), MaxClassNameLength);
}

void TControl::UseSystemClass(WindowParams& params, const wchar_t* className)
{
    if (!className)
        return;
    HINSTANCE remembered = params.ClassInfo.hInstance;
    // The executable is both the program module and the main instance.
    for (HINSTANCE instance : {ProgramModule(), HINSTANCE{}, remembered}) {
        if (GetClassInfoW(instance, className, &params.ClassInfo))
            break;
    }
    params.ClassInfo.hInstance = remembered;
    params.ClassInfo.style = (params.ClassInfo.style & ~ForeignClassStyles) | CS_VREDRAW | CS_HREDRAW;
    WideCopyN(params.ClassName, className, MaxClassNameLength);
}

void TControl::BuildWindow()
{
    WindowParams params;
    FillCreateParams(params);
    if (!params.ParentHandle && (params.Style & WS_CHILD))
        throw core::EInvalidOperation(core::Format(L"Parent Required %s", Name()));
    defaultProc_ = params.ClassInfo.lpfnWndProc;

    WNDCLASSW existing{};
    bool classExisted = GetClassInfoW(params.ClassInfo.hInstance, params.ClassName, &existing) != FALSE;
    if (!classExisted) {
        params.ClassInfo.lpfnWndProc = &WindowProcedure;
        params.ClassInfo.lpszClassName = params.ClassName;
        if (!RegisterClassW(&params.ClassInfo))
            core::RaiseLastOSError();
    }
    CallCreateWindow(params);
    if (!windowHandle_) {
        RaiseCreationError();
        core::RaiseLastOSError();
    }
    if (classExisted)
        SubclassIfForeign(existing);

    // WmMeasureItem takes an item's control identifier for its window handle.
    if ((GetWindowLongW(windowHandle_, GWL_STYLE) & WS_CHILD) && GetWindowLongPtrW(windowHandle_, GWLP_ID) == 0)
        SetWindowLongPtrW(windowHandle_, GWLP_ID, reinterpret_cast<LONG_PTR>(windowHandle_));
    // The window holds the caption from now on.
    WideBufFree(textBuffer_);
}

// Windows of a class the toolkit registered already use WindowProcedure; windows of
// system classes are subclassed, and their class's procedure answers what the control
// leaves unhandled.
void TControl::SubclassIfForeign(const WNDCLASSW& existingClass)
{
    auto current = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(windowHandle_, GWLP_WNDPROC));
    if (current == &WindowProcedure)
        return;
    defaultProc_ = existingClass.lpfnWndProc;
    SetWindowLongPtrW(windowHandle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowProcedure));
}

HWND TControl::CallCreateWindow(WindowParams& params)
{
    auto identifier = reinterpret_cast<HMENU>(static_cast<intptr_t>(ctrlID_));
    windowHandle_ = CreateWindowExW(params.ExStyle, params.ClassName, params.WindowName, params.Style, params.Left,
                                    params.Top, params.Width, params.Height, params.ParentHandle, identifier,
                                    params.ClassInfo.hInstance, params.CreateParam);
    return windowHandle_;
}

void TControl::ReleaseWindow()
{
    if (windowHandle_)
        TearDownWindow();
}

// The caption survives the window, so a window made again later shows it.
void TControl::TearDownWindow()
{
    if (!textBuffer_) {
        auto length = static_cast<size_t>(ReadTextLength());
        TWideBuffer kept = WideBufAlloc(length + 1);
        if (length > 0)
            ReadText(kept.Get(), length + 1);
        textBuffer_ = std::move(kept);
    }
    CallDestroyWindow();
}

void TControl::CallDestroyWindow()
{
    if (!DestroyWindow(windowHandle_))
        core::RaiseLastOSError();
    windowHandle_ = nullptr;
}

// The control's own window, not the record's, receives the default processing.
void TControl::CallDefaultProc(MessageRecord& message)
{
    if (defaultProc_ && HasWindow())
        message.Result = CallWindowProcW(defaultProc_, windowHandle_, message.Msg, message.WParam, message.LParam);
}

} // namespace toolkit
