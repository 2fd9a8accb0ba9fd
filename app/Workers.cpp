#include "app/Workers.h"

#include "net/InternetHandle.h"

namespace app {

std::unique_ptr<net::TInternetThread> StartWorker(HWND window, UINT message, const char* host, const std::string& path)
{
    try {
        auto worker = std::make_unique<net::TInternetThread>(window, net::InternetHandle, message);
        worker->Request().SetField(net::TRequest::HostField, host);
        worker->Request().SetField(net::TRequest::PathField, path);
        worker->Start();
        return worker;
    } catch (const std::exception&) {
        return nullptr;
    }
}

bool WorkerCompleted(const net::TInternetThread* worker)
{
    return worker && worker->Completed();
}

bool AnsweredWithSuccess(net::TInternetThread& worker)
{
    uint32_t status = worker.Response().StatusCode();
    return worker.Result() == 0 && status >= 200 && status < 300;
}

void StopWorkers(std::initializer_list<std::unique_ptr<net::TInternetThread>*> workers, uint32_t timeout)
{
    for (auto* worker : workers)
        if (*worker)
            (*worker)->Abort();
    const DWORD start = GetTickCount();
    for (auto* worker : workers) {
        if (!*worker)
            continue;
        DWORD elapsed = GetTickCount() - start;
        DWORD left = elapsed < timeout ? timeout - elapsed : 0;
        if (!(*worker)->Started() || WaitForSingleObject((*worker)->Handle(), left) == WAIT_OBJECT_0)
            worker->reset();
        else
            static_cast<void>(worker->release());
    }
}

} // namespace app
