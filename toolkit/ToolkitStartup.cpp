#include "toolkit/ToolkitStartup.h"

#include <mmsystem.h>
#include <string>

#include "core/Format.h"

namespace toolkit {

namespace {

ATOM bindingAtom = 0;
std::wstring bindingAtomName;
TIMECAPS timerCaps{};

// Every Sleep, wait and window timer of the program then runs at the finest period the
// timer device offers. Failures only leave the coarser default in place.
void RaiseTimerResolution()
{
    timeGetDevCaps(&timerCaps, sizeof(timerCaps));
    timeBeginPeriod(timerCaps.wPeriodMin);
}

void RestoreTimerResolution()
{
    timeEndPeriod(timerCaps.wPeriodMin);
}

} // namespace

ATOM BindingAtom()
{
    return bindingAtom;
}

void ToolkitStartup()
{
    bindingAtomName = core::Format(L"Widget%.8X", GetCurrentProcessId());
    bindingAtom = GlobalAddAtomW(bindingAtomName.c_str());
    RaiseTimerResolution();
}

void ToolkitShutdown()
{
    RestoreTimerResolution();
    GlobalDeleteAtom(bindingAtom);
    bindingAtom = 0;
    bindingAtomName.clear();
}

} // namespace toolkit
