// file.cpp -- the old Windows file calls the picture loader reads with, over POSIX descriptors
#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>

#include "platform/winbase.h"

HFILE OpenFile(LPCSTR fileName, OFSTRUCT *info, UINT style)
{
    if (info != nullptr) {
        memset(info, 0, sizeof *info);
        info->cBytes = (BYTE)sizeof *info;
    }
    // Reading is all the program does with files.
    if (fileName == nullptr || style != OF_READ)
        return HFILE_ERROR;
    if (info != nullptr) {
        strncpy(info->szPathName, fileName, sizeof info->szPathName - 1);
    }
    int file = open(fileName, O_RDONLY | O_CLOEXEC);
    if (file < 0) {
        if (info != nullptr)
            info->nErrCode = (WORD)errno;
        return HFILE_ERROR;
    }
    // A directory opens for reading but has no bytes to give.
    struct stat about = {};
    if (fstat(file, &about) != 0 || !S_ISREG(about.st_mode)) {
        if (info != nullptr)
            info->nErrCode = (WORD)EISDIR;
        close(file);
        return HFILE_ERROR;
    }
    return file;
}

UINT _lread(HFILE file, LPVOID buffer, UINT count)
{
    if (buffer == nullptr && count > 0)
        return (UINT)-1;
    char *to = (char *)buffer;
    UINT done = 0;
    // read may stop short of what is there; only the end of the file should.
    while (done < count) {
        ssize_t got = read(file, to + done, count - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return (UINT)-1;
        if (got == 0)
            break;
        done += (UINT)got;
    }
    return done;
}

LONG _llseek(HFILE file, LONG offset, int origin)
{
    int whence = SEEK_SET;
    if (origin == FILE_CURRENT)
        whence = SEEK_CUR;
    else if (origin == FILE_END)
        whence = SEEK_END;
    else if (origin != FILE_BEGIN)
        return HFILE_ERROR;
    off_t at = lseek(file, (off_t)offset, whence);
    if (at < 0 || at > (off_t)INT32_MAX)
        return HFILE_ERROR;
    return (LONG)at;
}

HFILE _lclose(HFILE file)
{
    return close(file) == 0 ? 0 : HFILE_ERROR;
}
