// The main window's creation: icon, menu, settings, tooltip, tray icon, the widget tree
// of its surface and its timers.
#include "app/MainWindow.h"

#include "app/Application.h"
#include "app/BuildSettings.h"
#include "app/FeedCache.h"
#include "core/CodePage.h"
#include "news/ContentEx.h"
#include "news/ScrollerEx.h"
#include "news/ThumbEx.h"
#include "resources/Resources.h"
#include "storage/Options.h"
#include "toolkit/ToolTip.h"
#include "toolkit/TrayIcon.h"
#include "toolkit/WindowProcedure.h"
#include "widgets/BackgroundEx.h"
#include "widgets/ContainerEx.h"
#include "widgets/ImageEx.h"
#include "widgets/SkinText.h"
#include "widgets/ThrobberEx.h"

namespace app {

namespace {

constexpr int HandCursor = 13;
constexpr wchar_t TextFont[] = L"Trebuchet MS";
constexpr int ListFontSize = 9;
constexpr int FooterFontSize = 8;
constexpr uint32_t FooterColor = 0xFF000000;

// Header and list area, in pixels of the background.
constexpr POINT LogoPosition{20, 19};
constexpr int CloseButtonFromRight = 49;
constexpr int HeaderButtonTop = 25;
constexpr int HeaderButtonSpacing = 25;
constexpr RECT ListArea{30, 75, 445, 288};
constexpr int ScrollBarWidth = 25;
constexpr int TrackFromRight = 20;
constexpr POINT ThumbPosition{1, 0};
// Footer.
constexpr POINT StatusPosition{44, 301};
constexpr int SiteLinkFromRight = 105;
constexpr int SiteLinkTop = 300;
constexpr SIZE FooterTextSize{110, 18};
constexpr POINT ThrobberPosition{26, 301};

// Timer periods in milliseconds; the refresh interval is a build setting.
constexpr uint32_t StartDelay = 50;
constexpr uint32_t IdleCheckPeriod = 10000;
constexpr uint32_t ThrobberFramePeriod = 20;
constexpr uint32_t PingPeriod = 60000;

HMODULE Module()
{
    return GetModuleHandleW(nullptr);
}

// Each holder gets an icon of its own, so each destroys its own exactly once.
HICON LoadAppIcon(int sizeMetric)
{
    int size = GetSystemMetrics(sizeMetric);
    return static_cast<HICON>(LoadImageW(Module(), MAKEINTRESOURCEW(IDI_APP_ICON), IMAGE_ICON, size, size, 0));
}

template <typename T> T* MakeChild(toolkit::TControl* owner, toolkit::TControl* parent, RECT bounds)
{
    auto* control = new T(owner);
    control->SetParentControl(parent);
    control->SetLeft(bounds.left);
    control->SetTop(bounds.top);
    control->Resize(bounds.right - bounds.left, bounds.bottom - bounds.top);
    return control;
}

RECT Bounds(POINT position, SIZE size)
{
    return RECT{position.x, position.y, position.x + size.cx, position.y + size.cy};
}

RECT Bounds(POINT position, const skins::TSkinInfo& skin)
{
    return Bounds(position, SIZE{skin.Width, skin.Height});
}

std::unique_ptr<graphics::TBitmapEx> Skin(const skins::TSkinInfo& skin)
{
    return graphics::TBitmapEx::CreateFromResource(Module(), "PNG", skin.Id);
}

} // namespace

void TMainWindow::AfterCreate()
{
    toolkit::TWindowEx::AfterCreate();
    windowIcon_.Reset(LoadAppIcon(SM_CXICON));
    SendMessageW(WindowHandle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(windowIcon_.Get()));
    menu_.Reset(LoadMenuW(Module(), MAKEINTRESOURCEW(IDM_POPUP)));
    settings_ = std::make_unique<storage::TOptions>(Application->DataFolder() + L"\\options.ini");
    feedCachePath_ = Application->DataFolder() + L"\\news.xml";
    feedCache_ = std::make_unique<TFeedCache>(feedCachePath_);
    CreateShellHelpers();
    BuildWidgetTree();
    CreateTimers();
}

void TMainWindow::CreateShellHelpers()
{
    toolTip_ = new toolkit::TToolTip(this);
    toolkit::TooltipWindow = toolTip_->Handle();
    toolTip_->SetEnableTip(true);

    trayIcon_ = new toolkit::TTrayIcon(this);
    trayIcon_->SetIcon(LoadAppIcon(SM_CXSMICON));
    trayIcon_->Handle();
    trayIcon_->SetHintText(toolkit::LoadWideString(IDS_TRAY_HINT));
    trayIcon_->SetVisibleTray(settings_->ShowTray());
}

// A widget made later is drawn above its earlier siblings, so the order is the stacking.
void TMainWindow::BuildWidgetTree()
{
    Canvas().SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBilinear);
    const SIZE size{Width(), Height()};

    stage_ = MakeChild<toolkit::TControlEx>(this, this, Bounds(POINT{0, 0}, size));
    stage_->OnMouseDown.Bind(this, &TMainWindow::DragOrMenu);
    stage_->Show();

    background_ = MakeChild<widgets::TBackgroundEx>(this, stage_, Bounds(POINT{0, 0}, size));
    background_->SetBitmap(Skin(skins::MainFrame));
    background_->OnMouseDown.Bind(this, &TMainWindow::DragOrMenu);
    background_->Show();

    // Disabled, so that a press on the logo reaches the background and drags the window.
    logo_ = MakeImage(background_, skins::PortalLogo.Id, LogoPosition.x, LogoPosition.y);
    logo_->SetEnabled(false);
    logo_->Show();

    closeButton_ = MakeImage(background_, skins::CloseButton.Id, size.cx - CloseButtonFromRight, HeaderButtonTop);
    closeButton_->SetCursor(HandCursor);
    closeButton_->SetHint(toolkit::LoadWideString(IDS_HINT_CLOSE));
    closeButton_->SetShowHint(true);
    closeButton_->OnClick.Bind(this, &TMainWindow::CloseClicked);
    closeButton_->Show();

    optionsButton_ =
        MakeImage(background_, skins::OptionsButton.Id, closeButton_->Left() - HeaderButtonSpacing, HeaderButtonTop);
    optionsButton_->SetCursor(HandCursor);
    optionsButton_->SetHint(toolkit::LoadWideString(IDS_HINT_OPTIONS));
    optionsButton_->SetShowHint(true);
    optionsButton_->Show();

    BuildListArea();
    UpdateScrollBar();
    BuildFooter();
    ApplySettings();
}

void TMainWindow::BuildListArea()
{
    listContainer_ = MakeChild<widgets::TContainerEx>(this, background_, ListArea);
    listContainer_->Show();
    const int containerWidth = listContainer_->Width();
    const int containerHeight = listContainer_->Height();

    headlineList_ = new news::TContentEx(this, core::AnsiToWide(ReferrerDomain));
    headlineList_->SetParentControl(listContainer_);
    headlineList_->Resize(containerWidth - ScrollBarWidth, containerHeight);
    headlineList_->Font().SetName(TextFont);
    headlineList_->Font().SetSize(ListFontSize);
    headlineList_->Canvas().SetAntialias(false);
    headlineList_->SetCached(true);
    headlineList_->OnDrag.Bind(this, &TMainWindow::DragOrMenu);
    headlineList_->OnMouseDown.Bind(this, &TMainWindow::HeadlineMouseDown);
    headlineList_->OnKeyDown.Bind(this, &TMainWindow::ScrollKeyDown);
    headlineList_->Show();
    headlineList_->LoadFromFile(feedCachePath_);

    scrollTrack_ = MakeChild<news::TScrollerEx>(
        this, listContainer_, RECT{containerWidth - TrackFromRight, 0, containerWidth, containerHeight});
    scrollTrack_->SetBitmap(Skin(skins::ScrollTrack));
    scrollTrack_->OnMouseDown.Bind(this, &TMainWindow::TrackMouseDown);
    scrollTrack_->Show();

    scrollThumb_ = MakeChild<news::TThumbEx>(this, scrollTrack_, Bounds(ThumbPosition, skins::ScrollThumb));
    scrollThumb_->SetBitmap(Skin(skins::ScrollThumb));
    scrollThumb_->OnKeyDown.Bind(this, &TMainWindow::ScrollKeyDown);
    scrollThumb_->OnMouseDown.Bind(this, &TMainWindow::ThumbMouseDown);
    scrollThumb_->OnDrag.Bind(this, &TMainWindow::ThumbDrag);
    scrollThumb_->Show();
}

void TMainWindow::BuildFooter()
{
    statusText_ = MakeFooterText(toolkit::LoadWideString(IDS_STATUS_UPDATING), StatusPosition.x, StatusPosition.y,
                                 Gdiplus::StringAlignmentCenter);
    statusText_->EnsureWindow();

    siteLink_ = MakeFooterText(SiteName, background_->Width() - SiteLinkFromRight, SiteLinkTop,
                               Gdiplus::StringAlignmentFar);
    siteLink_->SetCursor(HandCursor);
    siteLink_->SetHint(toolkit::LoadWideString(IDS_HINT_SITE));
    siteLink_->SetShowHint(true);
    siteLink_->Show();

    // The strip's frames are square.
    const SIZE frame{skins::Throbber.Width, skins::Throbber.Width};
    throbber_ = MakeChild<widgets::TThrobberEx>(this, background_, Bounds(ThrobberPosition, frame));
    throbber_->EnsureWindow();
}

widgets::TImageEx* TMainWindow::MakeImage(toolkit::TControl* parent, int resource, int left, int top)
{
    auto* image = new widgets::TImageEx(this);
    image->SetParentControl(parent);
    image->SetLeft(left);
    image->SetTop(top);
    image->SetResource(resource);
    return image;
}

// Footer texts have no shadow and take the size of their text.
widgets::TSkinText* TMainWindow::MakeFooterText(const std::wstring& text, int left, int top, int lineAlignment)
{
    auto* label = MakeChild<widgets::TSkinText>(this, background_, Bounds(POINT{left, top}, FooterTextSize));
    label->Shadow().Enabled = false;
    label->Font().SetName(TextFont);
    label->Font().SetSize(FooterFontSize);
    label->Font().SetColor(FooterColor);
    label->Canvas().SetAntialias(false);
    label->Canvas().StringFormat().SetLineAlignment(static_cast<Gdiplus::StringAlignment>(lineAlignment));
    label->SetData(text);
    return label;
}

void TMainWindow::CreateTimers()
{
    HWND window = WindowHandle();
    startTimer_ = std::make_unique<TWinTimer>(window, StartDelay, StartTimerId);
    idleTimer_ = std::make_unique<TWinTimer>(window, IdleCheckPeriod, IdleTimerId);
    throbberTimer_ = std::make_unique<TWinTimer>(window, ThrobberFramePeriod, ThrobberTimerId);
    refreshTimer_ = std::make_unique<TWinTimer>(window, refreshInterval_, RefreshTimerId);
    pingTimer_ = std::make_unique<TWinTimer>(window, PingPeriod, PingTimerId);
    startTimer_->SetEnabled(true);
    idleTimer_->SetEnabled(true);
    refreshTimer_->SetEnabled(true);
    pingTimer_->SetEnabled(true);
}

} // namespace app
