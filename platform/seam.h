// seam.h -- hooks through which a test puts its own objects and clock in place of the platform's
#pragma once

#include "platform/wintypes.h"

struct IDirectSound;

// When a hook is set, the matching module entry point calls it instead of making a real object.
extern HRESULT (*directDrawCreateHook)(GUID *device, LPVOID *directDraw, REFIID iid,
                                       IUnknown *outer);
extern HRESULT (*directInputCreateHook)(HINSTANCE instance, DWORD version, REFIID iid,
                                        LPVOID *directInput, IUnknown *outer);
extern HRESULT (*directSoundCreateHook)(GUID *device, IDirectSound **directSound,
                                        IUnknown *outer);
extern HRESULT (*coCreateInstanceHook)(REFCLSID classId, IUnknown *outer, DWORD context,
                                       REFIID iid, LPVOID *object);

// When set, GetTickCount returns what this returns instead of the steady clock.
extern DWORD (*tickCountHook)(void);
