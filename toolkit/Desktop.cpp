#include "toolkit/Desktop.h"

namespace toolkit {

bool TDesktop::WorkArea(RECT& area) const
{
    return SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0) != FALSE;
}

} // namespace toolkit
