// The downloads of the main window: the feed refresh with its busy indicator, the
// visitor ping and the update check's request.
#include "app/MainWindow.h"

#include <string>

#include "app/BuildSettings.h"
#include "app/FeedCache.h"
#include "app/UpdateCheck.h"
#include "app/Workers.h"
#include "core/Random.h"
#include "news/ContentEx.h"
#include "widgets/SkinText.h"
#include "widgets/ThrobberEx.h"

namespace app {

namespace {

constexpr char FeedPath[] = "/haber/rss/sondakika?rand=";
constexpr char PingPath[] = "/swidget/tavilo.gif";
constexpr char VersionPath[] = "/tavilo.xml?rand=";

// A new value for every request, so no cache between here and the server answers it.
std::string WithRandom(const char* path)
{
    return path + std::to_string(core::RandomInt(INT32_MAX));
}

} // namespace

void TMainWindow::StartFeedRefresh()
{
    if (feedThread_ || tornDown_)
        return;
    SetBusy(true);
    refreshTimer_->SetEnabled(false);
    feedThread_ = StartWorker(WindowHandle(), MSG_FEED_DONE, PortalHost, WithRandom(FeedPath));
    if (feedThread_)
        return;
    SetBusy(false);
    refreshTimer_->SetEnabled(true);
}

// Only a completed download of our own counts: another process may post this number. Only
// a real feed replaces the cache; anything else leaves the cache and the list as they were.
void TMainWindow::FeedDone(toolkit::MessageRecord&)
{
    if (!WorkerCompleted(feedThread_.get()))
        return;
    std::unique_ptr<net::TInternetThread> thread = std::move(feedThread_);
    try {
        if (AnsweredWithSuccess(*thread) && feedCache_->Store(thread->Response().BodyText())) {
            thread.reset();
            ReloadHeadlines();
        }
    } catch (const std::exception&) {
        // A list that cannot be read (no XML component) keeps what it showed; the refresh
        // cycle goes on.
    }
    SetBusy(false);
    RequestRender();
    refreshTimer_->SetEnabled(true);
}

void TMainWindow::ReloadHeadlines()
{
    headlineList_->SetRedraw(true);
    headlineList_->LoadFromFile(feedCachePath_);
    UpdateScrollBar();
    headlineList_->SetRedraw(false);
}

void TMainWindow::SetBusy(bool busy)
{
    throbber_->SetVisible(busy);
    throbberTimer_->SetEnabled(busy);
    statusText_->SetVisible(busy);
}

// The next frame is timed from the end of this render, so a slow render never queues ticks.
void TMainWindow::AdvanceThrobber()
{
    throbberTimer_->SetEnabled(false);
    throbber_->Advance();
    RequestRender();
    throbberTimer_->SetEnabled(true);
}

void TMainWindow::StartPing()
{
    if (pingThread_ || tornDown_)
        return;
    pingThread_ = StartWorker(WindowHandle(), MSG_PING_DONE, CounterHost, PingPath);
}

// The counter's answer is not looked at.
void TMainWindow::PingDone(toolkit::MessageRecord&)
{
    if (WorkerCompleted(pingThread_.get()))
        pingThread_.reset();
}

void TMainWindow::StartUpdateCheck()
{
    if (updateThread_ || tornDown_)
        return;
    updateThread_ = StartWorker(WindowHandle(), MSG_UPDATE_DONE, UpdateHost, WithRandom(VersionPath));
}

// As with the feed, only our own completed request counts. The thread is gone before the
// prompt, whose modal loop goes on dispatching this window's messages.
void TMainWindow::UpdateCheckDone(toolkit::MessageRecord&)
{
    if (!WorkerCompleted(updateThread_.get()))
        return;
    const std::string version = VersionFromAnswer(*updateThread_);
    updateThread_.reset();
    if (IsNewerVersion(version))
        OfferUpdate(WindowHandle());
}

} // namespace app
