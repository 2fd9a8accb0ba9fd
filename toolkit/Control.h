#pragma once
#include <cstdint>
#include <string>

#include "core/Component.h"
#include "core/Win32.h"
#include "toolkit/ControlEvents.h"
#include "toolkit/Message.h"
#include "toolkit/WideString.h"
#include "toolkit/WindowParams.h"

namespace toolkit {

// Number of system cursors a control can show; Cursor indexes them.
inline constexpr int CursorCount = 16;

// Base of every visible element: a component that wraps one native window created on
// demand. Geometry, enabled and visible state and caption live in fields of their own,
// so they can be set before the window exists. Raw messages become typed events.
//
// Two relations are kept apart: the owner (a component, who frees the control) and the
// Parent (whose window is the parent window). Parent is set before the window is made.
// Freeing a control never destroys its window: windows are destroyed first, objects
// afterwards. A control freed while its window lives unbinds the window, which then
// carries on as a plain window of its class.
class TControl : public core::TComponent {
public:
    explicit TControl(core::TComponent* owner);
    ~TControl() override;

    // The window stops leading to the control before any derived part is destroyed.
    void BeforeDestruction() override;

    // Virtual operations; descendants keep this order when they add their own.
    virtual void SetParentControl(TControl* control);
    virtual void CallDefaultProc(MessageRecord& message);

protected:
    virtual void BuildWindow();
    virtual void FillCreateParams(WindowParams& params);
    virtual HWND CallCreateWindow(WindowParams& params);

public:
    virtual void ReleaseWindow();

protected:
    virtual void CallDestroyWindow();
    virtual void TearDownWindow();

public:
    // The dispatcher. Descendants take their own messages first and pass the rest on.
    virtual void HandleMessage(MessageRecord& message);

protected:
    virtual void WmCreate(MessageRecord& message);
    virtual void WmDestroy(MessageRecord& message);
    virtual void ReturnTrue(MessageRecord& message);
    virtual void WmSetCursor(MessageRecord& message);
    virtual void WmMouseHover(MessageRecord& message);
    virtual void WmMouseEnter(MessageRecord& message);
    virtual void WmMouseLeave(MessageRecord& message);
    virtual void WmMouseMove(MessageRecord& message);
    virtual void WmButtonDown(MessageRecord& message);
    virtual void WmButtonUp(MessageRecord& message);
    virtual void WmMouseWheel(MessageRecord& message);
    virtual void WmButtonDblClk(MessageRecord& message);
    virtual void WmSize(MessageRecord& message);
    virtual void WmSizing(MessageRecord& message);
    virtual void WmMove(MessageRecord& message);
    virtual void WmMoving(MessageRecord& message);
    virtual void WmSysTimer(MessageRecord& message);
    virtual void WmSetFocus(MessageRecord& message);
    virtual void WmKillFocus(MessageRecord& message);
    virtual void WmShowWindow(MessageRecord& message);
    virtual void WmGetDlgCode(MessageRecord& message);
    virtual void WmCancelMode(MessageRecord& message);
    virtual void WmWindowPosChanged(MessageRecord& message);
    virtual void WmWindowPosChanging(MessageRecord& message);
    virtual void WmNcHitTest(MessageRecord& message);
    virtual void WmGetText(MessageRecord& message);
    virtual void WmGetTextLength(MessageRecord& message);
    virtual void WmSetText(MessageRecord& message);
    virtual void WmHScroll(MessageRecord& message);
    virtual void WmVScroll(MessageRecord& message);
    virtual void WmNotify(MessageRecord& message);
    virtual void WmCtlColor(MessageRecord& message);
    virtual void ReflectToChild(MessageRecord& message);
    virtual void WmChar(MessageRecord& message);
    virtual void WmKeyDown(MessageRecord& message);
    virtual void WmKeyUp(MessageRecord& message);
    virtual void WmContextMenu(MessageRecord& message);
    virtual void WmCommand(MessageRecord& message);
    virtual void WmDrawItem(MessageRecord& message);
    virtual void WmMeasureItem(MessageRecord& message);
    virtual void WmTextChanged(MessageRecord& message);
    virtual void WmFontChanged(MessageRecord& message);

public:
    // Creates the window, and first the missing windows of the Parent chain.
    virtual void EnsureWindow();

protected:
    virtual void MakeWindow();

public:
    virtual void Reposition(int x, int y, int width, int height);
    virtual void InvalidateSelf();
    virtual void Render();
    virtual void RenderWindow();

protected:
    virtual void DrawSelf();

public:
    virtual void Compose();
    virtual void RequestRender();

    // Properties.
    std::wstring Caption();
    void SetCaption(const std::wstring& caption);
    int Cursor() const { return cursor_; }
    void SetCursor(int cursor);
    HCURSOR CursorHandle() const { return cursorHandle_; }
    // Reading the handle creates the window (and its missing ancestors).
    HWND Handle();
    // Adopts an existing window, which stays unbound: its messages do not reach the control.
    void SetHandle(HWND window);
    HWND WindowHandle() const { return windowHandle_; }
    void SetWindowHandle(HWND window) { windowHandle_ = window; }
    WNDPROC DefaultProc() const { return defaultProc_; }
    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int left);
    void SetTop(int top);
    void SetWidth(int width);
    void SetHeight(int height);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    bool Visible() const { return visible_; }
    // Creates the window when there is none, hidden or shown.
    void SetVisible(bool visible);
    bool MouseInside() const { return mouseInside_; }
    bool ClickArmed() const { return clickArmed_; }
    TControl* Parent() const { return parent_; }
    HWND ParentWindow() const { return parentWindow_; }
    void SetParentWindow(HWND window) { parentWindow_ = window; }
    int CtrlID() const { return ctrlID_; }
    void SetCtrlID(int id) { ctrlID_ = id; }
    bool Redraw() const { return redraw_; }
    void SetRedraw(bool redraw) { redraw_ = redraw; }
    bool Cached() const { return cached_; }
    void SetCached(bool cached) { cached_ = cached; }
    bool Locked() const { return locked_; }
    void SetLocked(bool locked) { locked_ = locked; }
    // Every child window of the window, toolkit or not.
    int ControlCount() const;
    int ClientWidth() const { return clientWidth_; }
    int ClientHeight() const { return clientHeight_; }
    void SetClientWidth(int width) { clientWidth_ = width; }
    void SetClientHeight(int height) { clientHeight_ = height; }
    DWORD Style() const;
    void SetStyle(DWORD style);
    DWORD ExStyle() const;
    void SetExStyle(DWORD exStyle);
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool showHint);
    const std::wstring& Hint() const { return hint_; }
    void SetHint(const std::wstring& hint);
    // The window class name: the object's own class name unless changed while windowless.
    const std::wstring& ClassNameW() const;
    void SetClassNameW(const std::wstring& name);
    const TWideBuffer& TextBuffer() const { return textBuffer_; }

    // Operations.
    bool HasWindow() const;
    RECT LocalRect() const;
    void Resize(int width, int height);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    void TakeFocus();
    LRESULT ReadTextLength();
    LRESULT ReadText(wchar_t* buffer, size_t capacity);
    void WriteText(const wchar_t* text);
    void AddToTooltip();
    void RemoveFromTooltip();
    static TShiftState KeyFlagsToShift(LPARAM keyData);
    // Runs a message through this control's own dispatcher, bypassing the queue; 0 for
    // a null control.
    static LRESULT SendToSelf(TControl* control, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT SendToSelf(UINT msg, WPARAM wParam, LPARAM lParam) { return SendToSelf(this, msg, wParam, lParam); }

    // Events, raised only when assigned.
    TMouseEvent OnMouseMove;
    TMouseEvent OnMouseHover;
    TMouseEvent OnMouseEnter;
    TMouseEvent OnMouseLeave;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseEvent OnClick;
    TMouseWheelEvent OnMouseWheel;
    TSizingEvent OnSizing;
    TSizeEvent OnSize;
    TMoveEvent OnMove;
    TMovingEvent OnMoving;
    TNotifyEvent OnSysTimer;
    TNotifyEvent OnSetFocus;
    TNotifyEvent OnKillFocus;
    TContextMenuEvent OnContextMenu;
    TMouseEvent OnDrag;
    TKeyEvent OnKeyDown;
    // Stored for the application; the toolkit never raises it.
    TKeyPressEvent OnKeyPress;
    TKeyEvent OnKeyUp;
    TMouseEvent OnDblClick;
    TWindowPosChangingEvent OnWindowPosChanging;
    TWindowPosChangingEvent OnWindowPosChanged;
    TCharEvent OnChar;

protected:
    // Bases the create parameters on an existing (usually system) window class, whose
    // procedure then receives the unhandled messages. A null name does nothing.
    static void UseSystemClass(WindowParams& params, const wchar_t* className);

private:
    void ApplyBounds();
    void SetBound(int& field, int value);
    void RaiseMouseEvent(const TMouseEvent& event, const MessageRecord& message);
    void RaiseKeyEvent(const TKeyEvent& event, MessageRecord& message);
    void ForwardToParent(MessageRecord& message);
    void ReflectToControl(HWND child, MessageRecord& message);
    void SubclassIfForeign(const WNDCLASSW& existingClass);
    void UnbindWindow();
    void SendTool(UINT toolMessage, UINT flags);

    HWND windowHandle_ = nullptr;
    TControl* parent_ = nullptr;
    WNDPROC defaultProc_ = nullptr;
    HCURSOR cursorHandle_ = nullptr;
    int cursor_ = 0;
    int left_ = 0;
    int top_ = 0;
    int width_ = 1;
    int height_ = 1;
    TWideBuffer textBuffer_;
    bool visible_ = false;
    bool mouseInside_ = false;
    bool enabled_ = true;
    HWND parentWindow_ = nullptr;
    int clientWidth_ = 0;
    int clientHeight_ = 0;
    bool clickArmed_ = false;
    bool showHint_ = false;
    std::wstring hint_;
    mutable std::wstring classNameW_;
    int ctrlID_ = 0;
    bool redraw_ = true;
    bool cached_ = false;
    bool locked_ = false;
};

} // namespace toolkit
