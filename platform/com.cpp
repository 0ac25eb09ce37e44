// com.cpp -- COM on the program's one thread: start-up, object creation and shut-down
#include "platform/music_classes.h"
#include "platform/objbase.h"
#include "platform/seam.h"

namespace {

// Successful CoInitialize calls not yet matched by a CoUninitialize.
int initCount = 0;

} // namespace

HRESULT CoInitialize(LPVOID)
{
    initCount++;
    return initCount == 1 ? S_OK : S_FALSE;
}

HRESULT CoCreateInstance(REFCLSID classId, IUnknown *outer, DWORD context, REFIID iid,
                         LPVOID *object)
{
    if (coCreateInstanceHook)
        return coCreateInstanceHook(classId, outer, context, iid, object);
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (initCount == 0)
        return CO_E_NOTINITIALIZED;
    if (outer)
        return CLASS_E_NOAGGREGATION;
    // Every class here lives in the program itself.
    if (!(context & CLSCTX_INPROC_SERVER))
        return REGDB_E_CLASSNOTREG;
    return CreateMusicObject(classId, iid, object);
}

void CoUninitialize(void)
{
    if (initCount > 0)
        initCount--;
}
