// memfd_path.h -- hands each fuzz input to the code under test as a file with a path
#pragma once

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>

// One in-memory file for the whole run, rewritten for each input; its /proc path opens it
// afresh, with its own position, as a file on disk would.
inline const char *InputAsFile(const uint8_t *data, size_t size)
{
    static int file = -1;
    static char path[64] = "";
    if (file < 0) {
        file = memfd_create("zaf-fuzz", 0);
        if (file < 0)
            return nullptr;
        snprintf(path, sizeof path, "/proc/self/fd/%d", file);
    }
    if (ftruncate(file, 0) != 0)
        return nullptr;
    size_t done = 0;
    while (done < size) {
        ssize_t wrote = pwrite(file, data + done, size - done, (off_t)done);
        if (wrote <= 0)
            return nullptr;
        done += (size_t)wrote;
    }
    return path;
}
