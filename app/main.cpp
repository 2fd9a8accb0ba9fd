#include <memory>

#include "app/Application.h"
#include "app/ModuleLifetime.h"
#include "core/Win32.h"

// The program takes no arguments; any that are given are ignored.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    app::TModuleLifetime module;
    int exitCode = 0;
    auto application = std::make_unique<app::TApplication>(nullptr);
    app::Application = application.get();
    try {
        application->Run();
    } catch (...) {
        exitCode = 1;
    }
    app::Application = nullptr;
    return exitCode;
}
