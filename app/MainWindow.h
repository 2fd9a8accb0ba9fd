#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "app/ScrollGeometry.h"
#include "app/WinTimer.h"
#include "core/Component.h"
#include "core/UniqueHandle.h"
#include "core/Win32.h"
#include "toolkit/ControlEvents.h"
#include "toolkit/GdiHandles.h"
#include "toolkit/WindowEx.h"

namespace net {
class TInternetThread;
}
namespace storage {
class TOptions;
}
namespace toolkit {
class TToolTip;
class TTrayIcon;
} // namespace toolkit
namespace widgets {
class TBackgroundEx;
class TCheckBoxEx;
class TContainerEx;
class TImageEx;
class TSkinText;
class TThrobberEx;
} // namespace widgets
namespace news {
class TContentEx;
class TScrollerEx;
class TThumbEx;
} // namespace news

namespace app {

class TFeedCache;

// Messages other programs may send to the window found by its class name.
inline constexpr UINT MSG_RESERVED = 37682;
inline constexpr UINT MSG_CLOSE_REQUEST = 37683;
// Completion messages of the worker threads.
inline constexpr UINT MSG_UPDATE_DONE = WM_USER + 17;
inline constexpr UINT MSG_PING_DONE = WM_USER + 20;
inline constexpr UINT MSG_FEED_DONE = WM_USER + 23;

// Timer ids of the main window.
enum TTimerId : uint32_t {
    StartTimerId = 1001,
    IdleTimerId = 1002,
    RefreshTimerId = 1003,
    PingTimerId = 1004,
    ThrobberTimerId = 1005,
};

// The widget itself: a layered window painted by a tree of skinned widgets. It owns the
// timers, the worker threads, the settings, the popup menu and the window icon, and
// releases them in Teardown; the widgets, the tooltip and the tray icon are owned as
// components and freed with the window object.
//
// The handlers are split by concern: MainWindow.cpp (construction, dispatch, moving,
// settings), MainWindowTree.cpp (the widget tree), MainWindowRefresh.cpp (downloads),
// MainWindowScroll.cpp (scrolling the list) and MainWindowLifeCycle.cpp (start, idle
// trim, closing, teardown).
class TMainWindow : public toolkit::TWindowEx {
public:
    explicit TMainWindow(core::TComponent* owner);
    ~TMainWindow() override;

    void HandleMessage(toolkit::MessageRecord& message) override;

protected:
    void WmDestroy(toolkit::MessageRecord& message) override;
    void WmWindowPosChanging(toolkit::MessageRecord& message) override;
    void WmCommand(toolkit::MessageRecord& message) override;
    void WmClose(toolkit::MessageRecord& message) override;
    void WmTimer(toolkit::MessageRecord& message) override;
    void AfterCreate() override;
    virtual void WmQueryEndSession(toolkit::MessageRecord& message);
    virtual void WmEndSession(toolkit::MessageRecord& message);
    virtual void WmDisplayChange(toolkit::MessageRecord& message);
    virtual void WmCopyData(toolkit::MessageRecord& message);
    virtual void UpdateCheckDone(toolkit::MessageRecord& message);
    virtual void PingDone(toolkit::MessageRecord& message);
    virtual void FeedDone(toolkit::MessageRecord& message);
    virtual void ReservedMessage(toolkit::MessageRecord& message);
    virtual void CloseRequest(toolkit::MessageRecord& message);

public:
    // Left button: Windows moves the window with the pointer; right button: the menu.
    void DragOrMenu(core::TObject* sender, uint32_t keys, int x, int y);
    void ShowPopupMenu();
    void ApplySettings();
    void SaveSettings();

    void StartFeedRefresh();
    void SetBusy(bool busy);
    void StartPing();
    void StartUpdateCheck();
    // Shows or hides the scroll bar for the list's height and keeps the list in view.
    void UpdateScrollBar();
    // Moves the list by delta pixels (positive toward its beginning), within its ends.
    void ScrollBy(int delta);

    // Fades out and closes: the close button, the menu and message 37683.
    void CloseCommand();
    // Releases the workers, timers, tray icon, tooltip, settings, menu and icon; runs once.
    void Teardown();

    bool Closing() const { return closing_; }
    bool TornDown() const { return tornDown_; }
    uint32_t RefreshInterval() const { return refreshInterval_; }
    const std::wstring& FeedCachePath() const { return feedCachePath_; }

private:
    // MainWindowTree.cpp
    void BuildWidgetTree();
    void BuildListArea();
    void BuildFooter();
    widgets::TImageEx* MakeImage(toolkit::TControl* parent, int resource, int left, int top);
    widgets::TSkinText* MakeFooterText(const std::wstring& text, int left, int top, int lineAlignment);
    void CreateTimers();
    void CreateShellHelpers();

    // MainWindowRefresh.cpp
    void ReloadHeadlines();
    void AdvanceThrobber();

    // MainWindowScroll.cpp
    TScrollGeometry ScrollGeometry() const;
    void WheelScroll(core::TObject* sender, uint32_t keys, int wheelDelta, int x, int y);
    void ScrollKeyDown(core::TObject* sender, uint16_t& key, toolkit::TShiftState shift);
    void TrackMouseDown(core::TObject* sender, uint32_t keys, int x, int y);
    void ThumbMouseDown(core::TObject* sender, uint32_t keys, int x, int y);
    void ThumbDrag(core::TObject* sender, uint32_t keys, int x, int y);

    // MainWindowLifeCycle.cpp
    void DelayedStart();
    void IdleTrim();
    void StopWorkers();
    void FreeTimers();

    void CloseClicked(core::TObject* sender, uint32_t keys, int x, int y);
    void HeadlineMouseDown(core::TObject* sender, uint32_t keys, int x, int y);

    struct TMenuTraits {
        using Type = HMENU;
        static Type Invalid() { return nullptr; }
        static void Close(Type menu) { DestroyMenu(menu); }
    };
    using TMenuHandle = core::TUniqueHandle<TMenuTraits>;

    TMenuHandle menu_;
    std::unique_ptr<TWinTimer> startTimer_;
    std::unique_ptr<TWinTimer> idleTimer_;
    std::unique_ptr<TWinTimer> throbberTimer_;
    std::unique_ptr<TWinTimer> pingTimer_;
    std::unique_ptr<TWinTimer> refreshTimer_;
    std::unique_ptr<net::TInternetThread> updateThread_;
    std::unique_ptr<net::TInternetThread> feedThread_;
    std::unique_ptr<net::TInternetThread> pingThread_;
    toolkit::TIconHandle windowIcon_;
    toolkit::TControlEx* stage_ = nullptr;
    widgets::TBackgroundEx* background_ = nullptr;
    widgets::TImageEx* closeButton_ = nullptr;
    widgets::TImageEx* optionsButton_ = nullptr;
    widgets::TContainerEx* listContainer_ = nullptr;
    news::TContentEx* headlineList_ = nullptr;
    news::TScrollerEx* scrollTrack_ = nullptr;
    news::TThumbEx* scrollThumb_ = nullptr;
    // The pointer's screen y and the thumb's position when the current thumb drag began.
    int32_t dragStartY_ = 0;
    int32_t dragStartThumbTop_ = 0;
    // List pixels per thumb pixel, taken anew at each scroll and at each drag's start.
    float scrollRatio_ = 0.0f;
    widgets::TThrobberEx* throbber_ = nullptr;
    widgets::TSkinText* statusText_ = nullptr;
    widgets::TSkinText* siteLink_ = nullptr;
    widgets::TImageEx* logo_ = nullptr;
    bool autoSize_ = true;
    bool closing_ = false;
    bool tornDown_ = false;
    uint32_t refreshInterval_;
    std::unique_ptr<storage::TOptions> settings_;
    toolkit::TToolTip* toolTip_ = nullptr;
    toolkit::TTrayIcon* trayIcon_ = nullptr;
    std::unique_ptr<TFeedCache> feedCache_;
    std::wstring feedCachePath_;
    // The four options of the options panel, as applied.
    bool startup_ = true;
    bool alwaysTop_ = true;
    bool showTray_ = true;
};

} // namespace app
