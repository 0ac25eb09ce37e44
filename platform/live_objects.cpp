// live_objects.cpp -- the count of platform objects alive
#include "platform/live_objects.h"

// Raised by each counted object's birth and lowered by its free.
int liveObjectCount = 0;
