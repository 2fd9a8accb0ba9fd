#pragma once
// GDI+ needs the COM property types that the lean Windows header set leaves out.
#include "core/Win32.h"
#include <objidl.h>
#include <gdiplus.h>
