// winbase.h -- the kernel's tick count and the old-style file calls the picture loader uses
#pragma once

#include "platform/wintypes.h"

// Milliseconds since an arbitrary start, wrapping at 2^32.
DWORD GetTickCount(void);

typedef int HFILE;
#define HFILE_ERROR ((HFILE)-1)
#define OF_READ 0x0000
#define FILE_BEGIN 0
#define FILE_CURRENT 1
#define FILE_END 2

struct OFSTRUCT {
    BYTE cBytes;
    BYTE fFixedDisk;
    WORD nErrCode;
    WORD Reserved1;
    WORD Reserved2;
    char szPathName[128];
};

HFILE OpenFile(LPCSTR fileName, OFSTRUCT *info, UINT style);
// Returns the bytes read, or (UINT)-1 on error; fewer than asked at the end of the file.
UINT _lread(HFILE file, LPVOID buffer, UINT count);
// Returns the new position, or HFILE_ERROR.
LONG _llseek(HFILE file, LONG offset, int origin);
HFILE _lclose(HFILE file);
