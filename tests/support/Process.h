#pragma once
#include <chrono>
#include <map>
#include <string>

#include "core/Handles.h"

namespace testing_support {

// The folder of the running test executable; tavilo.exe is built next to it.
std::wstring BinFolder();
std::wstring TaviloExe();

// A child process started from an executable path, ended (killed) if still running
// when the object is destroyed.
class TChildProcess {
public:
    // extraEnvironment entries are added to (or replace) this process's environment.
    explicit TChildProcess(const std::wstring& exe, const std::map<std::wstring, std::wstring>& extraEnvironment = {});
    ~TChildProcess();
    TChildProcess(TChildProcess&&) = default;

    bool Running() const;
    // The exit code once the process has ended within the time, else nothing.
    bool WaitForExit(std::chrono::milliseconds timeout, DWORD& exitCode) const;
    DWORD ProcessId() const { return processId_; }
    HANDLE Handle() const { return process_.Get(); }
    // The first visible top-level window of the given class that this process owns.
    HWND WaitForWindow(const wchar_t* className, std::chrono::milliseconds timeout) const;
    void Kill();

private:
    core::TKernelHandle process_;
    DWORD processId_ = 0;
};

// Finds a top-level window by class and title, waiting up to the time given.
HWND WaitForTopLevelWindow(const wchar_t* className, const wchar_t* title, std::chrono::milliseconds timeout);

// Removes a folder with everything in it; true when it is gone afterwards.
bool RemoveFolderTree(const std::wstring& folder);

// Reads an environment variable of this process ("" when unset).
std::wstring EnvironmentVariable(const wchar_t* name);

} // namespace testing_support
