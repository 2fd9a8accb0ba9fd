#include "net/InternetHandle.h"

namespace net {

HINTERNET InternetHandle = nullptr;

bool OpenInternet()
{
    CloseInternet();
    InternetHandle = InternetOpenA(nullptr, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    return InternetHandle != nullptr;
}

void CloseInternet()
{
    if (InternetHandle && InternetCloseHandle(InternetHandle))
        InternetHandle = nullptr;
}

} // namespace net
