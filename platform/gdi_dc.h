// gdi_dc.h -- the device contexts that surfaces hand out from GetDC
#pragma once

#include "platform/wintypes.h"

struct SurfaceObject;

// A new device context drawing onto surface; null when too many are out.
HDC OpenSurfaceDc(SurfaceObject *surface);
void CloseSurfaceDc(HDC dc);
