#include "app/Application.h"

#include <commctrl.h>
#include <objbase.h>
#include <shlobj.h>

#include "app/MainWindow.h"
#include "core/Files.h"
#include "core/Random.h"
#include "net/InternetHandle.h"
#include "resources/Resources.h"
#include "sysutil/SystemUtils.h"
#include "toolkit/WideString.h"

namespace app {

TApplication* Application = nullptr;
std::wstring AppTitle;
std::unique_ptr<toolkit::TDesktop> Desktop;

bool TApplication::IsAlreadyRunning() const
{
    HANDLE probe = CreateMutexW(nullptr, FALSE, InstanceMutexName);
    DWORD error = GetLastError();
    if (probe)
        CloseHandle(probe);
    return error == ERROR_ALREADY_EXISTS;
}

// Copies started together can all pass the probe, and a copy's mutex may exist while
// another is still probing; only ownership decides. The owner keeps the mutex for the
// whole run, and a copy that ended without releasing it leaves it abandoned, which the
// next copy may take over.
bool TApplication::AcquireInstanceMutex()
{
    instanceMutex_.Reset(CreateMutexW(nullptr, FALSE, InstanceMutexName));
    if (!instanceMutex_)
        return false;
    DWORD wait = WaitForSingleObject(instanceMutex_.Get(), 0);
    if (wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED)
        return true;
    instanceMutex_.Reset();
    return false;
}

void TApplication::ReleaseInstanceMutex()
{
    if (instanceMutex_)
        ReleaseMutex(instanceMutex_.Get());
    instanceMutex_.Reset();
}

void TApplication::Run()
{
    if (IsAlreadyRunning() || !AcquireInstanceMutex())
        return;
    bool initialised = false;
    try {
        Initialise();
        initialised = true;
    } catch (const std::exception&) {
        // Nothing to show: the program has no log and no dialog for this.
        DestroyMainWindow();
    }
    if (initialised)
        MessageLoop();
    Finalise();
    ReleaseInstanceMutex();
}

// Windows first, objects afterwards: a window left alive would lead to freed objects.
void TApplication::DestroyMainWindow()
{
    if (mainWindow_ && mainWindow_->HasWindow())
        DestroyWindow(mainWindow_->WindowHandle());
}

void TApplication::Initialise()
{
    InitCommonControls();
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES | ICC_COOL_CLASSES};
    InitCommonControlsEx(&controls);
    comInitialised_ = SUCCEEDED(CoInitialize(nullptr));

    InitialiseFolders();
    AppTitle = toolkit::LoadWideString(IDS_APP_TITLE);

    core::Randomize();
    Desktop = std::make_unique<toolkit::TDesktop>(nullptr);
    Desktop->SetName(L"ManagerDesktop");
    net::OpenInternet();

    CreateMainWindow();
}

void TApplication::InitialiseFolders()
{
    programFolder_ = core::ExtractFilePath(core::ModuleFileName());
    SetCurrentDirectoryW(programFolder_.c_str());
    // Without an application-data folder this becomes "\Korvale\Tavilo" on the
    // current drive, the program's own.
    dataFolder_ = sysutil::SpecialFolderPath(CSIDL_APPDATA) + DataSubfolder;
    core::ForceDirectories(dataFolder_);
}

void TApplication::CreateMainWindow()
{
    mainWindow_ = new TMainWindow(Desktop.get());
    mainWindow_->SetParentWindow(nullptr);
    mainWindow_->SetClassNameW(MainWindowClass);
    mainWindow_->SetCaption(MainWindowTitle);
    mainWindow_->EnsureWindow();
    // Shown fully transparent: the delayed start fades it in once the loop runs.
    mainWindow_->SetOpacity(0);
    mainWindow_->SetVisible(true);
}

void TApplication::MessageLoop()
{
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void TApplication::Finalise()
{
    net::CloseInternet();
    Desktop.reset();
    mainWindow_ = nullptr;
    if (comInitialised_)
        CoUninitialize();
    comInitialised_ = false;
}

} // namespace app
