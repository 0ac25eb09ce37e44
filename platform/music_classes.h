// music_classes.h -- the classes COM can make, which are DirectMusic's (platform only)
#pragma once

#include "platform/wintypes.h"

// Makes a new object of the class for CoCreateInstance; REGDB_E_CLASSNOTREG for a class that
// is not DirectMusic's performance or loader, E_NOINTERFACE for an interface it does not have.
HRESULT CreateMusicObject(REFCLSID classId, REFIID iid, LPVOID *object);
