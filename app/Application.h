#pragma once
#include <memory>
#include <string>

#include "core/Component.h"
#include "core/Handles.h"
#include "toolkit/Desktop.h"

namespace app {

class TMainWindow;

// The single application object: refuses to run twice, sets up COM, the common
// controls, the folders, the desktop and the internet session, runs the message loop
// of the main window and releases everything in a fixed order.
class TApplication : public core::TComponent {
public:
    explicit TApplication(core::TComponent* owner) : core::TComponent(owner) {}

    // The whole life of the program.
    void Run();
    // The probe: true when the instance mutex exists. It never takes ownership.
    bool IsAlreadyRunning() const;
    // Takes ownership of the instance mutex for this run; false when another copy owns it.
    bool AcquireInstanceMutex();
    // Gives the mutex up and closes it.
    void ReleaseInstanceMutex();

    TMainWindow* MainWindow() const { return mainWindow_; }
    const std::wstring& ProgramFolder() const { return programFolder_; }
    const std::wstring& DataFolder() const { return dataFolder_; }

private:
    void Initialise();
    void InitialiseFolders();
    void CreateMainWindow();
    void DestroyMainWindow();
    void MessageLoop();
    void Finalise();

    core::TKernelHandle instanceMutex_;
    TMainWindow* mainWindow_ = nullptr;
    std::wstring programFolder_;
    std::wstring dataFolder_;
    bool comInitialised_ = false;
};

extern TApplication* Application;
extern std::wstring AppTitle;
// Owner of the main window; freed at finalisation together with the whole widget tree.
extern std::unique_ptr<toolkit::TDesktop> Desktop;

inline constexpr wchar_t InstanceMutexName[] = L"tavilomutex";
inline constexpr wchar_t MainWindowClass[] = L"taviloclass";
inline constexpr wchar_t MainWindowTitle[] = L"tavilo";
inline constexpr wchar_t DataSubfolder[] = L"\\Korvale\\Tavilo";

} // namespace app
