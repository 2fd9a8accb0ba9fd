#pragma once
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>

#include "core/Win32.h"
#include "net/InetThread.h"

namespace app {

// How long closing waits, in all, for aborted downloads to end.
inline constexpr uint32_t WorkerStopTimeout = 2000;

// A started worker thread that GETs path from host and then posts message to window;
// none when it could not be started.
std::unique_ptr<net::TInternetThread> StartWorker(HWND window, UINT message, const char* host, const std::string& path);

// True for a worker that exists and has finished its request. A completion message is
// acted on only then: another process can post the same number at any time.
bool WorkerCompleted(const net::TInternetThread* worker);

// True when the completed worker's request got a whole answer with a 2xx status.
bool AnsweredWithSuccess(net::TInternetThread& worker);

// Aborts every running worker and waits for them to end, at most timeout in all. Workers
// that ended are freed; one that did not is let go (its thread still uses it) and ends with
// the process.
void StopWorkers(std::initializer_list<std::unique_ptr<net::TInternetThread>*> workers, uint32_t timeout);

} // namespace app
