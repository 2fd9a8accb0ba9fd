#include "tests/support/Process.h"

#include <shellapi.h>
#include <thread>
#include <vector>

#include "core/Files.h"

namespace testing_support {

std::wstring BinFolder()
{
    return core::ExtractFilePath(core::ModuleFileName());
}

std::wstring TaviloExe()
{
    return BinFolder() + L"tavilo.exe";
}

std::wstring EnvironmentVariable(const wchar_t* name)
{
    DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
    if (size == 0)
        return {};
    std::wstring value(size, L'\0');
    value.resize(GetEnvironmentVariableW(name, value.data(), size));
    return value;
}

namespace {

// The environment block of this process with some variables replaced or added.
std::vector<wchar_t> EnvironmentBlock(const std::map<std::wstring, std::wstring>& extra)
{
    std::map<std::wstring, std::wstring> variables;
    wchar_t* strings = GetEnvironmentStringsW();
    for (const wchar_t* p = strings; *p; p += wcslen(p) + 1) {
        std::wstring entry = p;
        size_t equals = entry.find(L'=', 1);
        if (equals != std::wstring::npos)
            variables[entry.substr(0, equals)] = entry.substr(equals + 1);
    }
    FreeEnvironmentStringsW(strings);
    for (const auto& [name, value] : extra)
        variables[name] = value;
    std::vector<wchar_t> block;
    for (const auto& [name, value] : variables) {
        std::wstring entry = name + L"=" + value;
        block.insert(block.end(), entry.begin(), entry.end());
        block.push_back(L'\0');
    }
    block.push_back(L'\0');
    return block;
}

struct TWindowSearch {
    DWORD processId;
    const wchar_t* className;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM data)
{
    auto* search = reinterpret_cast<TWindowSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    if (owner == search->processId && wcscmp(name, search->className) == 0 && IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

template <typename Probe>
auto PollFor(std::chrono::milliseconds timeout, Probe probe)
{
    auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        auto result = probe();
        if (result || std::chrono::steady_clock::now() >= deadline)
            return result;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

} // namespace

TChildProcess::TChildProcess(const std::wstring& exe, const std::map<std::wstring, std::wstring>& extraEnvironment)
{
    std::wstring commandLine = L"\"" + exe + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    std::vector<wchar_t> environment = EnvironmentBlock(extraEnvironment);
    if (CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_UNICODE_ENVIRONMENT,
                       environment.data(), nullptr, &startup, &info)) {
        CloseHandle(info.hThread);
        process_.Reset(info.hProcess);
        processId_ = info.dwProcessId;
    }
}

TChildProcess::~TChildProcess()
{
    if (process_)
        Kill();
}

bool TChildProcess::Running() const
{
    return process_ && WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT;
}

bool TChildProcess::WaitForExit(std::chrono::milliseconds timeout, DWORD& exitCode) const
{
    if (!process_ || WaitForSingleObject(process_.Get(), static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0)
        return false;
    return GetExitCodeProcess(process_.Get(), &exitCode) != FALSE;
}

HWND TChildProcess::WaitForWindow(const wchar_t* className, std::chrono::milliseconds timeout) const
{
    return PollFor(timeout, [&] {
        TWindowSearch search{processId_, className, nullptr};
        EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&search));
        return search.found;
    });
}

void TChildProcess::Kill()
{
    if (Running()) {
        TerminateProcess(process_.Get(), 255);
        WaitForSingleObject(process_.Get(), 5000);
    }
}

HWND WaitForTopLevelWindow(const wchar_t* className, const wchar_t* title, std::chrono::milliseconds timeout)
{
    return PollFor(timeout, [&] { return FindWindowW(className, title); });
}

bool RemoveFolderTree(const std::wstring& folder)
{
    if (!core::DirectoryExists(folder))
        return true;
    std::wstring from = folder + L'\0';  // SHFileOperation wants a double-terminated list
    SHFILEOPSTRUCTW operation{};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = FOF_NO_UI;
    SHFileOperationW(&operation);
    return !core::DirectoryExists(folder);
}

} // namespace testing_support
