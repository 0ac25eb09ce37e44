// log.h -- one printf-style diagnostic line to the log stream, flushed at once
#pragma once

#include <cstdio>

// The log's target; nothing in the program opens it, so every line is dropped.
extern FILE *logStream;

// 1 when the line was written and flushed, 0 when there is no stream or no format.
// A line longer than 79 characters is cut to 79.
int LogLine(const char *format, ...) __attribute__((format(printf, 1, 2)));
