// seam.cpp -- the hooks a test sets to stand its own objects and clock in for the platform's
#include "platform/seam.h"

HRESULT (*directDrawCreateHook)(GUID *, LPVOID *, REFIID, IUnknown *) = nullptr;
HRESULT (*directInputCreateHook)(HINSTANCE, DWORD, REFIID, LPVOID *, IUnknown *) = nullptr;
HRESULT (*directSoundCreateHook)(GUID *, IDirectSound **, IUnknown *) = nullptr;
HRESULT (*coCreateInstanceHook)(REFCLSID, IUnknown *, DWORD, REFIID, LPVOID *) = nullptr;
DWORD (*tickCountHook)(void) = nullptr;
