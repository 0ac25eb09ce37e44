// objbase.h -- COM start-up, object creation and shut-down on the program's thread
#pragma once

#include "platform/wintypes.h"

#define CLSCTX_INPROC_SERVER 0x1
#define CLSCTX_INPROC_HANDLER 0x2
#define CLSCTX_INPROC (CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER)

#define REGDB_E_CLASSNOTREG ((HRESULT)0x80040154u)
#define CO_E_NOTINITIALIZED ((HRESULT)0x800401F0u)
#define CLASS_E_NOAGGREGATION ((HRESULT)0x80040110u)

HRESULT CoInitialize(LPVOID reserved);
HRESULT CoCreateInstance(REFCLSID classId, IUnknown *outer, DWORD context, REFIID iid,
                         LPVOID *object);
void CoUninitialize(void);
