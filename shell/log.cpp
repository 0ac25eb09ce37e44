// log.cpp -- the diagnostic log: formatted lines to a stream nothing opens by default
#include "shell/log.h"

#include <cstdarg>

FILE *logStream = nullptr; // where diagnostic lines go; null drops them

int LogLine(const char *format, ...)
{
    if (!format || !logStream)
        return 0;
    char line[80] = {};
    va_list args;
    va_start(args, format);
    // vsnprintf cuts a line that would not fit, where the buffer would otherwise overflow.
    vsnprintf(line, sizeof line, format, args);
    va_end(args);
    fputs(line, logStream);
    fflush(logStream);
    return 1;
}
