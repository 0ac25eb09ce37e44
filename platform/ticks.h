// ticks.h -- the system's own millisecond count, beneath whatever stands in for GetTickCount
#pragma once

#include "platform/wintypes.h"

DWORD SystemTickCount(void);
