#include "toolkit/WindowEvents.h"

#include "toolkit/Control.h"

namespace toolkit {

void DecideClose(TControl& window, const TCloseEvent& onClose)
{
    TCloseAction action = caFree;
    onClose(&window, action);
    if (action == caHide)
        window.Hide();
    else if (action == caFree)
        DestroyWindow(window.WindowHandle());
}

} // namespace toolkit
